#include "cli/ShapeRender.h"
#include "cli/ToolCommand.h"
#include "cli/VrkFile.h"

#include <QBuffer>
#include <QRegularExpression>

namespace {
constexpr int kMaxSide = 16384; // keeps a typo from asking for gigabytes
}

int RunRender(const ToolCommand& self, const QStringList& args) {
    QStringList files;
    QSize size(640, 480);
    bool cross = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--cross") {
            cross = true;
        } else if (args[i] == "--size") {
            if (++i == args.size())
                return UsageError(self, "--size needs a value such as 640x480");
            const auto m = QRegularExpression("^(\\d{1,5})x(\\d{1,5})$").match(args[i]);
            if (!m.hasMatch())
                return UsageError(self, "--size expects WxH, such as 640x480");
            size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
            if (size.width() < 1 || size.height() < 1 || size.width() > kMaxSide ||
                size.height() > kMaxSide)
                return UsageError(self,
                                  "each side of --size must be 1 to " + std::to_string(kMaxSide));
        } else if (args[i].startsWith('-')) {
            return UsageError(self, "unknown option \"" + args[i].toStdString() + "\"");
        } else {
            files << args[i];
        }
    }
    if (files.size() != 2)
        return UsageError(self, "expects a .vrk file and an output file");
    const QString& out = files[1];
    const bool svg = out.endsWith(".svg", Qt::CaseInsensitive);
    if (!svg && !out.endsWith(".png", Qt::CaseInsensitive))
        return UsageError(self, "the output file must end in .png or .svg");

    if (!OutputAllowedOrReport(out, {files[0]}))
        return EXIT_INVALID_INPUT;
    VrkFile file;
    if (!LoadVrkOrReport(files[0], file))
        return EXIT_INVALID_INPUT;
    QByteArray bytes;
    if (svg) {
        bytes = RenderShapeSvg(file.shape, size, cross);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!RenderShape(file.shape, size, cross).save(&buffer, "PNG")) {
            ReportFile(out, "cannot encode the picture as PNG");
            return EXIT_INVALID_INPUT;
        }
    }
    std::string error;
    if (!WriteFileAtomically(out, bytes, error)) {
        ReportFile(out, error);
        return EXIT_INVALID_INPUT;
    }
    return EXIT_OK;
}
