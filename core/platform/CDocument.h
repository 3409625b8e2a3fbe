#pragma once
#include <QString>
#include <functional>
#include <vector>

class CArchive;
class CDocument;

// What a document knows of the windows that show it.
class CViewBase {
public:
    virtual ~CViewBase() = default;
    virtual void OnUpdate(CViewBase* pSender, long lHint, void* pHint) = 0;
};

// A document with a title, a file, a modified flag and its views. Reading and
// writing go through Serialize; a failed read or write leaves a message in
// LastError() and changes nothing on disk.
class CDocument {
public:
    virtual ~CDocument() = default;

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& ar) = 0;

    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path);
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    const QString& LastError() const { return m_lastError; }

    void AddView(CViewBase* view);
    void RemoveView(CViewBase* view);
    const std::vector<CViewBase*>& Views() const { return m_views; }
    void UpdateAllViews(CViewBase* pSender, long lHint = 0, void* pHint = nullptr);
    // Whether the content changed (SetModifiedFlag(true)) since the views were
    // last told through UpdateAllViews.
    bool HasChangesNotShown() const { return m_nChanges != m_nChangesShown; }

    // Largest file that is read at all; anything bigger is refused unread.
    static constexpr qint64 kMaxFileSize = qint64(1) << 30;

    // Told when the title or the modified flag changes.
    std::function<void()> onStateChanged;

protected:
    QString m_lastError;

private:
    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
    unsigned long long m_nChanges = 0;
    unsigned long long m_nChangesShown = 0;
    std::vector<CViewBase*> m_views;
};
