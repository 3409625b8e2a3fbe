#include "platform/CDocument.h"

#include "platform/CArchive.h"
#include "platform/CFormatError.h"
#include "platform/WriteFileSafely.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const QString& path) {
    m_lastError.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("Cannot open \"%1\": %2.").arg(path, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileSize) {
        m_lastError = QStringLiteral("Cannot open \"%1\": the file is too large (%2 bytes).")
                          .arg(path)
                          .arg(file.size());
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_lastError = QStringLiteral("Cannot read \"%1\": %2.").arg(path, file.errorString());
        return false;
    }
    DeleteContents();
    try {
        CArchive ar(data);
        Serialize(ar);
    } catch (const CFormatError& e) {
        m_lastError =
            QStringLiteral("Cannot open \"%1\": %2.").arg(path, QString::fromUtf8(e.what()));
        return false;
    } catch (const std::bad_alloc&) {
        m_lastError = QStringLiteral("Cannot open \"%1\": not enough memory.").arg(path);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const QString& path) {
    m_lastError.clear();
    CArchive ar;
    Serialize(ar);
    // The old file stays untouched until the new one is complete on disk.
    QString why;
    if (!WriteFileSafely(path, ar.Buffer(), &why)) {
        m_lastError = QStringLiteral("Cannot save \"%1\": %2.").arg(path, why);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::SetTitle(const QString& title) {
    m_strTitle = title;
    if (onStateChanged)
        onStateChanged();
}

void CDocument::SetPathName(const QString& path) {
    m_strPathName = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (!path.isEmpty())
        SetTitle(QFileInfo(path).fileName());
}

void CDocument::SetModifiedFlag(bool modified) {
    const bool changed = m_bModified != modified;
    m_bModified = modified;
    if (modified)
        ++m_nChanges;
    if (changed && onStateChanged)
        onStateChanged();
}

void CDocument::AddView(CViewBase* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::RemoveView(CViewBase* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocument::UpdateAllViews(CViewBase* pSender, long lHint, void* pHint) {
    // A view may close in response; walk a copy.
    const std::vector<CViewBase*> views = m_views;
    m_nChangesShown = m_nChanges;
    for (CViewBase* v : views)
        if (v != pSender)
            v->OnUpdate(pSender, lHint, pHint);
}
