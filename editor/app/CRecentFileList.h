#pragma once
#include <QString>
#include <QStringList>

class QSettings;

// The most recently opened or saved documents, newest first, kept in the
// settings under "Recent File List" as File1, File2, ...
class CRecentFileList {
public:
    CRecentFileList(QSettings& settings, int size);

    void ReadList();
    void WriteList() const;

    // Puts the path first, removing an older entry for the same file.
    void Add(const QString& path);
    void Remove(int index);

    int GetSize() const { return m_nSize; }
    int Count() const { return int(m_files.size()); }
    const QStringList& Files() const { return m_files; }
    // The text of a menu item: "&1 " and the path, with ampersands doubled.
    QString MenuText(int index) const;

private:
    QSettings& m_settings;
    int m_nSize;
    QStringList m_files;
};
