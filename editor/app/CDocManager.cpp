#include "app/CDocManager.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CRecentFileList.h"
#include "app/CShellPrompts.h"
#include "document/CMorvetDoc.h"
#include "platform/FileKey.h"
#include "view/ReferenceImageStore.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString kDocName = QStringLiteral("Object");
const QString kExtension = QStringLiteral(".vrk");

} // namespace

CDocManager::CDocManager(CShellPrompts& prompts, CRecentFileList& recentFiles)
    : m_prompts(prompts), m_recentFiles(recentFiles) {}

CDocManager::~CDocManager() = default;

void CDocManager::ReportError(const QString& text) const {
    if (m_prompts.message)
        m_prompts.message(m_pFrame, QMessageBox::Warning, text, QMessageBox::Ok);
}

CMorvetDoc* CDocManager::Adopt(std::unique_ptr<CMorvetDoc> doc) {
    CMorvetDoc* pDoc = doc.get();
    m_documents.push_back(std::move(doc));
    pDoc->onStateChanged = [this, pDoc] {
        if (m_pFrame)
            m_pFrame->OnDocumentStateChanged(pDoc);
    };
    if (m_pFrame)
        m_pFrame->CreateChildFrame(pDoc);
    return pDoc;
}

CMorvetDoc* CDocManager::OpenNewDocument() {
    auto doc = std::make_unique<CMorvetDoc>();
    if (!doc->OnNewDocument()) {
        ReportError(doc->LastError());
        return nullptr;
    }
    doc->SetTitle(kDocName + QString::number(++m_nUntitledCount));
    return Adopt(std::move(doc));
}

CMorvetDoc* CDocManager::OpenDocumentFile(const QString& path) {
    if (CMorvetDoc* open = FindDocument(path)) {
        if (m_pFrame)
            m_pFrame->ActivateDocument(open);
        return open;
    }
    auto doc = std::make_unique<CMorvetDoc>();
    if (path.isEmpty() || !doc->OnOpenDocument(path)) {
        ReportError(path.isEmpty() ? QStringLiteral("No file was named.") : doc->LastError());
        return nullptr;
    }
    doc->SetPathName(path);
    m_recentFiles.Add(doc->GetPathName());
    m_recentFiles.WriteList();
    CMorvetDoc* pDoc = Adopt(std::move(doc));
    // The picture the user last showed with this file comes back with it; a
    // picture that has gone is reported, and the document opens without it.
    QString why;
    if (m_settings &&
        !RestoreReferenceImage(*m_settings, pDoc->GetPathName(), pDoc->m_reference, &why))
        ReportError(why);
    else if (pDoc->m_reference.IsLoaded())
        pDoc->UpdateAllViews(nullptr);
    return pDoc;
}

void CDocManager::RememberReferenceImage(CMorvetDoc* pDoc) {
    if (m_settings && pDoc && !pDoc->GetPathName().isEmpty())
        StoreReferenceImage(*m_settings, pDoc->GetPathName(), pDoc->m_reference);
}

CMorvetDoc* CDocManager::FindDocument(const QString& path) const {
    if (path.isEmpty())
        return nullptr;
    const QString key = FileKey(path);
    for (const auto& doc : m_documents)
        if (!doc->GetPathName().isEmpty() && FileKey(doc->GetPathName()) == key)
            return doc.get();
    return nullptr;
}

bool CDocManager::DoFileSave(CMorvetDoc* pDoc) {
    if (!pDoc)
        return false;
    if (pDoc->GetPathName().isEmpty())
        return DoSaveAs(pDoc);
    return DoSave(pDoc, pDoc->GetPathName());
}

bool CDocManager::DoSaveAs(CMorvetDoc* pDoc) {
    if (!pDoc || !m_prompts.saveFileName)
        return false;
    QString proposed = pDoc->GetPathName();
    if (proposed.isEmpty())
        proposed = pDoc->GetTitle() + kExtension;
    QString path = m_prompts.saveFileName(m_pFrame, proposed);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty() && !path.endsWith(QLatin1Char('.')))
        path += kExtension;
    return DoSave(pDoc, path);
}

bool CDocManager::DoSave(CMorvetDoc* pDoc, QString path) {
    if (!pDoc->OnSaveDocument(path)) {
        ReportError(pDoc->LastError());
        return false;
    }
    pDoc->SetPathName(path);
    m_recentFiles.Add(pDoc->GetPathName());
    m_recentFiles.WriteList();
    if (pDoc->m_reference.IsLoaded())
        RememberReferenceImage(pDoc);
    return true;
}

bool CDocManager::SaveModified(CMorvetDoc* pDoc) {
    if (!pDoc || !pDoc->IsModified())
        return true;
    if (!m_prompts.message)
        return false;
    const QString name = pDoc->GetPathName().isEmpty() ? pDoc->GetTitle() : pDoc->GetPathName();
    const auto answer = m_prompts.message(m_pFrame, QMessageBox::Question,
                                          QStringLiteral("Save changes to %1?").arg(name),
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return DoFileSave(pDoc);
    return answer == QMessageBox::No;
}

bool CDocManager::SaveAllModified() {
    // Saving may not change the list, but copy it: a caller's callback might.
    std::vector<CMorvetDoc*> docs;
    for (const auto& doc : m_documents)
        docs.push_back(doc.get());
    for (CMorvetDoc* pDoc : docs)
        if (!SaveModified(pDoc))
            return false;
    return true;
}

void CDocManager::CloseDocument(CMorvetDoc* pDoc) {
    if (!pDoc || !SaveModified(pDoc))
        return;
    if (m_pFrame)
        m_pFrame->CloseFramesOf(pDoc);
    else
        RemoveDocument(pDoc);
}

void CDocManager::RemoveDocument(CMorvetDoc* pDoc) {
    const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                                 [pDoc](const auto& doc) { return doc.get() == pDoc; });
    if (it == m_documents.end())
        return;
    // Take it out of the list before it is destroyed, so nothing finds it.
    std::unique_ptr<CMorvetDoc> doc = std::move(*it);
    m_documents.erase(it);
    doc->onStateChanged = nullptr;
}
