// docs/file-format.md is written for people who never read this code: its
// worked example must be exactly what a save writes, in both of its listings.
#include "DocumentTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

using namespace morvet_test;

namespace {

const QString kReference = QStringLiteral(MORVET_TEST_DATA "/../../docs/file-format.md");

// The fenced blocks of the section "## Worked example", in order.
QList<QStringList> ExampleBlocks() {
    QFile f(kReference);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString text = QString::fromUtf8(f.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("\n## Worked example\n"));
    if (start < 0)
        return {};
    qsizetype end = text.indexOf(QStringLiteral("\n## "), start + 1);
    const QStringList lines = text.mid(start, end < 0 ? -1 : end - start).split('\n');
    QList<QStringList> blocks;
    bool inBlock = false;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("```"))) {
            inBlock = !inBlock;
            if (inBlock)
                blocks.append(QStringList());
        } else if (inBlock) {
            blocks.last().append(line);
        }
    }
    return blocks;
}

// "0024    ec ff ff ff 0a 00 00 00   (-20, 10)": offset, bytes, meaning. Each
// offset must be where the bytes before it end.
QByteArray FromAnnotatedListing(const QStringList& lines) {
    static const QRegularExpression row(
        QStringLiteral("^([0-9a-f]{4}) {4}((?:[0-9a-f]{2} )*[0-9a-f]{2})(?: {2,}\\S.*)?$"));
    QByteArray bytes;
    for (const QString& line : lines.mid(1)) { // the first line names the columns
        const QRegularExpressionMatch m = row.match(line);
        EXPECT_TRUE(m.hasMatch()) << "not a listing row: " << line.toStdString();
        if (!m.hasMatch())
            continue;
        EXPECT_EQ(m.captured(1).toInt(nullptr, 16), bytes.size()) << line.toStdString();
        bytes += QByteArray::fromHex(m.captured(2).toLatin1());
    }
    return bytes;
}

// xxd's rows: "00000010: 0000 0000 0200 ...  ................".
QByteArray FromXxd(const QStringList& lines) {
    static const QRegularExpression row(
        QStringLiteral("^([0-9a-f]{8}): ((?:[0-9a-f]{4} ?)*(?:[0-9a-f]{2})?) +(.{1,16})$"));
    QByteArray bytes;
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = row.match(line);
        EXPECT_TRUE(m.hasMatch()) << "not an xxd row: " << line.toStdString();
        if (!m.hasMatch())
            continue;
        EXPECT_EQ(m.captured(1).toInt(nullptr, 16), bytes.size()) << line.toStdString();
        const QByteArray chunk = QByteArray::fromHex(m.captured(2).remove(' ').toLatin1());
        QString printable;
        for (const char c : chunk)
            printable += (c >= 0x20 && c < 0x7f) ? QChar(c) : QChar('.');
        EXPECT_EQ(m.captured(3).toStdString(), printable.toStdString()) << line.toStdString();
        bytes += chunk;
    }
    return bytes;
}

} // namespace

TEST(FileFormatReference, WorkedExampleIsWhatSavingTheDocumentWrites) {
    const QList<QStringList> blocks = ExampleBlocks();
    ASSERT_EQ(blocks.size(), 2) << "the annotated listing and the xxd dump";

    // The object the reference describes, relative to its center of mass.
    CMorvetDoc doc;
    doc.OnNewDocument();
    doc.m_shape.m_dMassDensity = 2.5;
    doc.m_shape.m_nPolarity = 1;
    doc.m_shape.m_bMayRotate = 0;
    Add(doc, PRIM_POLYGON, RGB(255, 128, 0), {{-20, 10}, {20, 10}, {0, -20}});
    Add(doc, PRIM_CIRCLE, RGB(255, 255, 255), {{0, 0}, {5, 5}});
    CArchive ar;
    doc.Serialize(ar);
    const QByteArray saved = ar.Buffer();

    ASSERT_EQ(saved.size(), 88);
    EXPECT_EQ(FromAnnotatedListing(blocks[0]).toHex(' ').toStdString(),
              saved.toHex(' ').toStdString());
    EXPECT_EQ(FromXxd(blocks[1]).toHex(' ').toStdString(), saved.toHex(' ').toStdString());

    // And the reader gives back the object relative to its center of mass.
    CMorvetDoc loaded;
    CArchive in(saved);
    loaded.Serialize(in);
    EXPECT_EQ(loaded.m_shape.m_dMassDensity, 2.5);
    EXPECT_EQ(loaded.m_shape.m_nPolarity, 1);
    EXPECT_EQ(loaded.m_shape.m_bMayRotate, 0);
    ASSERT_EQ(loaded.m_shape.GetSize(), 2);
    const CPrimitive* triangle = loaded.m_shape.m_elements[0];
    EXPECT_EQ(triangle->m_crColor, RGB(255, 128, 0));
    ASSERT_EQ(triangle->m_nPoints, 3);
    EXPECT_EQ(triangle->m_pPoints[2], (POINT{0, -20}));
}
