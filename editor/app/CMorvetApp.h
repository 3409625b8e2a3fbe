#pragma once
#include "app/CShellPrompts.h"
#include "view/CViewHost.h"

#include <QObject>
#include <QSettings>
#include <memory>

class CDocManager;
class CMainFrame;
class CMorvetDoc;
class CPhysicsPanel;
class CRecentFileList;
class CUnitsPerMetre;
class QPrinter;
struct CCommandLineInfo;

// The application: owns the settings with the recent-file list, the open
// documents, the main frame and the printer that printing and Print Setup
// share, and handles About, New, Open, the recent files, Print Setup and Exit.
class CMorvetApp : public QObject, public CViewHost {
    Q_OBJECT
public:
    // Without settings, the user's settings of "Quennit Applications" / "Morvet".
    explicit CMorvetApp(std::unique_ptr<QSettings> settings = nullptr,
                        CShellPrompts prompts = CShellPrompts::Interactive());
    ~CMorvetApp() override;

    // Creates the main frame and carries out the command line: a new document,
    // or the named file. False when that fails; the program should then end.
    bool InitInstance(const CCommandLineInfo& cmdInfo);

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    // The Physics dock, owned by the main frame.
    CPhysicsPanel* PhysicsPanel() const { return m_physicsPanel; }
    CDocManager& DocManager() { return *m_docManager; }
    CRecentFileList& RecentFiles() { return *m_recentFiles; }
    CShellPrompts& Prompts() { return m_prompts; }
    // The scale of the Physics panel, the simulation windows and File > Export.
    CUnitsPerMetre& UnitsPerMetre() { return *m_unitsPerMetre; }
    QSettings& Settings() { return *m_settings; }
    // The one printer of the program, as Print Setup last left it.
    QPrinter& Printer() override;
    QString ChooseImageFile(QWidget* parent) override;
    void Warn(QWidget* parent, const QString& text) override;
    void RememberGrid(const GridSettings& grid) override;
    void RememberReferenceImage(CMorvetDoc* pDoc) override;

    void OnAppAbout();
    CMorvetDoc* OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnOpenRecentFile(int index);
    void OnAppExit();

private:
    void RegisterCommands();
    // Carries out what the command line asks for once the frame exists.
    bool ProcessShellCommand(const CCommandLineInfo& cmdInfo);

    std::unique_ptr<QSettings> m_settings;
    CShellPrompts m_prompts;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    // Before the frame, which its users live in, so that it outlives them.
    std::unique_ptr<CUnitsPerMetre> m_unitsPerMetre;
    std::unique_ptr<CDocManager> m_docManager;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<QPrinter> m_printer;
    CPhysicsPanel* m_physicsPanel = nullptr;
};
