#include "app/CRecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString kSection = QStringLiteral("Recent File List");

QString normalized(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}
} // namespace

CRecentFileList::CRecentFileList(QSettings& settings, int size)
    : m_settings(settings), m_nSize(size) {}

void CRecentFileList::ReadList() {
    m_files.clear();
    m_settings.beginGroup(kSection);
    for (int i = 1; i <= m_nSize; ++i) {
        const QString path = m_settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_files.contains(normalized(path)))
            m_files.append(normalized(path));
    }
    m_settings.endGroup();
}

void CRecentFileList::WriteList() const {
    m_settings.beginGroup(kSection);
    m_settings.remove(QString());
    for (int i = 0; i < m_files.size(); ++i)
        m_settings.setValue(QStringLiteral("File%1").arg(i + 1), m_files[i]);
    m_settings.endGroup();
    m_settings.sync();
}

void CRecentFileList::Add(const QString& path) {
    if (path.isEmpty())
        return;
    const QString full = normalized(path);
    m_files.removeAll(full);
    m_files.prepend(full);
    while (m_files.size() > m_nSize)
        m_files.removeLast();
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < m_files.size())
        m_files.removeAt(index);
}

QString CRecentFileList::MenuText(int index) const {
    if (index < 0 || index >= m_files.size())
        return QString();
    QString shown = QDir::toNativeSeparators(m_files[index]);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
