#include "platform/FileKey.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Every name of one file gives one key, another file another key; a file not
// written yet is known by its absolute path.
TEST(FileKey, NamesOfOneFileShareTheirKey) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir d(dir.path());
    ASSERT_TRUE(d.mkdir("sub") && d.mkdir("real"));
    const QString file = d.filePath("real/a.vrk");
    QFile(file).open(QIODevice::WriteOnly);
    QFile(d.filePath("b.vrk")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(file, d.filePath("a-link.vrk")));
    ASSERT_TRUE(QFile::link(d.filePath("real"), d.filePath("linked")));

    const QString key = FileKey(file);
    EXPECT_EQ(key, FileKey(d.filePath("a-link.vrk")));
    EXPECT_EQ(key, FileKey(d.filePath("sub/../real/./a.vrk")));
    EXPECT_EQ(key, FileKey(d.filePath("linked/a.vrk")));
    EXPECT_NE(key, FileKey(d.filePath("b.vrk")));
    EXPECT_EQ(FileKey(d.filePath("sub/../new.vrk")), QDir(dir.path()).absoluteFilePath("new.vrk"));
}

} // namespace
