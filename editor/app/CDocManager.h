#pragma once
#include <QString>
#include <memory>
#include <vector>

class CMainFrame;
class CMorvetDoc;
class CRecentFileList;
class QSettings;
struct CShellPrompts;

// The open documents: creates them for File New and Open, titles new ones
// Object1, Object2, ..., saves them and asks to save modified ones before
// they close. Each open document has at least one window in the main frame.
class CDocManager {
public:
    CDocManager(CShellPrompts& prompts, CRecentFileList& recentFiles);
    ~CDocManager();

    void SetFrame(CMainFrame* frame) { m_pFrame = frame; }
    // Where the reference image of each document file is remembered.
    void SetSettings(QSettings* settings) { m_settings = settings; }
    // Remembers the document's reference image for its file, if it has one.
    void RememberReferenceImage(CMorvetDoc* pDoc);

    // A new, empty document in a new window.
    CMorvetDoc* OpenNewDocument();
    // Activates the document if the file is already open; otherwise reads it
    // into a fresh document with a window of its own. On failure shows the
    // reason, keeps nothing of the document and returns nullptr.
    CMorvetDoc* OpenDocumentFile(const QString& path);

    // Save writes to the document's file, or asks for a name if it has none;
    // Save As always asks. A name without an extension gets ".vrk". A failed
    // save is reported and leaves the document modified.
    bool DoFileSave(CMorvetDoc* pDoc);
    bool DoSaveAs(CMorvetDoc* pDoc);
    // Asks whether to save a modified document: false when the user cancels or
    // the save fails.
    bool SaveModified(CMorvetDoc* pDoc);
    bool SaveAllModified();

    // File Close: asks to save, then closes every window of the document.
    void CloseDocument(CMorvetDoc* pDoc);
    // The last window of the document has closed: the document goes.
    void RemoveDocument(CMorvetDoc* pDoc);

    CMorvetDoc* FindDocument(const QString& path) const;
    const std::vector<std::unique_ptr<CMorvetDoc>>& Documents() const { return m_documents; }

private:
    bool DoSave(CMorvetDoc* pDoc, QString path);
    CMorvetDoc* Adopt(std::unique_ptr<CMorvetDoc> doc);
    void ReportError(const QString& text) const;

    CShellPrompts& m_prompts;
    CRecentFileList& m_recentFiles;
    CMainFrame* m_pFrame = nullptr;
    QSettings* m_settings = nullptr;
    std::vector<std::unique_ptr<CMorvetDoc>> m_documents;
    int m_nUntitledCount = 0;
};
