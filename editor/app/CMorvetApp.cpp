#include "app/CMorvetApp.h"

#include "app/CAboutBox.h"
#include "app/CDocManager.h"
#include "app/CMainFrame.h"
#include "app/CRecentFileList.h"
#include "app/CommandLine.h"
#include "app/PhysicsCommands.h"
#include "panels/CPhysicsPanel.h"
#include "panels/CUnitsPerMetre.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "view/Grid.h"

#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>

CMorvetApp::CMorvetApp(std::unique_ptr<QSettings> settings, CShellPrompts prompts)
    : m_settings(std::move(settings)), m_prompts(std::move(prompts)) {
    if (!m_settings)
        m_settings = std::make_unique<QSettings>(QStringLiteral("Quennit Applications"),
                                                 QStringLiteral("Morvet"));
    m_recentFiles = std::make_unique<CRecentFileList>(*m_settings, kRecentFileCount);
    m_recentFiles->ReadList();
    m_unitsPerMetre = std::make_unique<CUnitsPerMetre>(m_settings.get());
    ProgramGrid().Load(*m_settings);
    m_docManager = std::make_unique<CDocManager>(m_prompts, *m_recentFiles);
    m_docManager->SetSettings(m_settings.get());
}

CMorvetApp::~CMorvetApp() {
    // The views go with the frame and must leave their documents first.
    if (m_docManager)
        m_docManager->SetFrame(nullptr);
    m_mainFrame.reset();
    m_docManager.reset();
}

bool CMorvetApp::InitInstance(const CCommandLineInfo& cmdInfo) {
    m_mainFrame = std::make_unique<CMainFrame>(*m_docManager, *m_recentFiles);
    m_docManager->SetFrame(m_mainFrame.get());
    m_mainFrame->SetViewHost(this);
    m_physicsPanel = new CPhysicsPanel(*m_mainFrame, *m_settings, *m_unitsPerMetre);
    m_mainFrame->addDockWidget(Qt::RightDockWidgetArea, m_physicsPanel);
    m_physicsPanel->RestoreVisibility();
    RegisterCommands();
    RegisterPhysicsCommands(*m_mainFrame, *m_physicsPanel, *m_unitsPerMetre, m_prompts,
                            *m_settings);
    if (!ProcessShellCommand(cmdInfo))
        return false;
    m_mainFrame->show();
    return true;
}

bool CMorvetApp::ProcessShellCommand(const CCommandLineInfo& cmdInfo) {
    switch (cmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        return OnFileNew() != nullptr;
    case CCommandLineInfo::FileOpen:
        return m_docManager->OpenDocumentFile(cmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::ShowHelp:
    case CCommandLineInfo::ShowVersion:
    case CCommandLineInfo::Error:
        break;
    }
    return false;
}

void CMorvetApp::RegisterCommands() {
    CCommandRouter& router = m_mainFrame->Router();
    router.Add({ID_APP_ABOUT, "&About Morvet...",
                "Display program information, version number and copyright", "About"},
               [this] { OnAppAbout(); });
    router.Add({ID_FILE_NEW, "&New\tCtrl+N", "Create a new document", "New", {CtrlKey(Qt::Key_N)}},
               [this] { OnFileNew(); });
    router.Add({ID_FILE_OPEN,
                "&Open...\tCtrl+O",
                "Open an existing document",
                "Open",
                {CtrlKey(Qt::Key_O)}},
               [this] { OnFileOpen(); });
    router.Add({ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options",
                "Print Setup"},
               [this] { OnFilePrintSetup(); });
    router.Add({ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents", "Exit"},
               [this] { OnAppExit(); });
    for (int i = 0; i < kRecentFileCount; ++i)
        router.Add(
            {ID_FILE_MRU_FILE1 + i, nullptr, "Open this document"},
            [this, i] { OnOpenRecentFile(i); },
            [this, i](CCmdUI* ui) { ui->Enable(i < m_recentFiles->Count()); });
}

QPrinter& CMorvetApp::Printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

QString CMorvetApp::ChooseImageFile(QWidget* parent) {
    return m_prompts.imageFileName ? m_prompts.imageFileName(parent) : QString();
}

void CMorvetApp::Warn(QWidget* parent, const QString& text) {
    if (m_prompts.message)
        m_prompts.message(parent, QMessageBox::Warning, text, QMessageBox::Ok);
}

void CMorvetApp::RememberGrid(const GridSettings& grid) {
    grid.Save(*m_settings);
}

void CMorvetApp::RememberReferenceImage(CMorvetDoc* pDoc) {
    m_docManager->RememberReferenceImage(pDoc);
}

void CMorvetApp::OnAppAbout() {
    CAboutBox box(m_mainFrame.get());
    box.exec();
}

CMorvetDoc* CMorvetApp::OnFileNew() {
    return m_docManager->OpenNewDocument();
}

void CMorvetApp::OnFileOpen() {
    if (!m_prompts.openFileName)
        return;
    const QString path = m_prompts.openFileName(m_mainFrame.get());
    if (!path.isEmpty())
        m_docManager->OpenDocumentFile(path);
}

void CMorvetApp::OnFilePrintSetup() {
    // Qt sets up only real printers; without one the dialog would silently
    // not appear.
    if (Printer().outputFormat() != QPrinter::NativeFormat) {
        if (m_prompts.message)
            m_prompts.message(m_mainFrame.get(), QMessageBox::Information,
                              QStringLiteral("No printer is installed, so there is nothing to set "
                                             "up. Install a printer to choose its paper and "
                                             "options."),
                              QMessageBox::Ok);
        return;
    }
    QPageSetupDialog dialog(&Printer(), m_mainFrame.get());
    dialog.exec();
}

void CMorvetApp::OnOpenRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles->Count())
        return;
    const QString path = m_recentFiles->Files().at(index);
    if (!m_docManager->OpenDocumentFile(path)) {
        // A file that can no longer be opened leaves the list.
        m_recentFiles->Remove(index);
        m_recentFiles->WriteList();
    }
}

void CMorvetApp::OnAppExit() {
    m_mainFrame->close();
}
