#include "cli/ShapeRender.h"
#include "cli/ToolCommand.h"
#include "cli/ToolOptions.h"
#include "cli/VrkFile.h"

#include <QBuffer>

namespace {
constexpr int kMaxSide = 16384; // keeps a typo from asking for gigabytes
}

int RunRender(const ToolCommand& self, const QStringList& args) {
    QSize size(640, 480);
    bool cross = false;
    ToolOptions options;
    options.Flag("--cross", &cross);
    options.Size("--size", &size, kMaxSide);
    QStringList files;
    std::string wrong;
    if (!options.Parse(args, files, wrong))
        return UsageError(self, wrong);
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
