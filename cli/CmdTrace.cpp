#include "cli/ToolCommand.h"
#include "cli/VrkFile.h"
#include "platform/CArchive.h"
#include "trace/ImageTracer.h"
#include "trace/TraceImageFile.h"
#include "trace/TraceToShape.h"

#include <cmath>
#include <cstdio>

namespace {
// A new document's colour for new elements.
constexpr COLORREF kNewDocumentColor = 0xFFFFFF;

bool ParseNumber(const QString& text, double& value) {
    bool ok = false;
    value = text.toDouble(&ok);
    return ok;
}
// The sentence with its bounds filled in; a lone bound fills %1.
std::string Range(const char* sentence, double low, double high) {
    QString text = QString::fromUtf8(sentence);
    text = text.contains("%2") ? text.arg(low, 0, 'g', 12).arg(high, 0, 'g', 12)
                               : text.arg(high, 0, 'g', 12);
    return text.toStdString();
}
} // namespace

int RunTrace(const ToolCommand& self, const QStringList& args) {
    QStringList files;
    TraceOptions options;
    bool channelGiven = false, holes = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--invert") {
            options.invert = true;
        } else if (a == "--holes") {
            holes = true;
        } else if (a == "--threshold" || a == "--tolerance" || a == "--scale" ||
                   a == "--min-area" || a == "--channel") {
            if (++i == args.size())
                return UsageError(self, a.toStdString() + " needs a value");
            const QString& v = args[i];
            double number = 0;
            if (a == "--channel") {
                if (v != "alpha" && v != "luminance")
                    return UsageError(self, "--channel is alpha or luminance");
                options.channel = v == "alpha" ? TraceChannel::Alpha : TraceChannel::Luminance;
                channelGiven = true;
            } else if (!ParseNumber(v, number)) {
                return UsageError(self, a.toStdString() + " expects a number");
            } else if (a == "--threshold") {
                if (!(number >= 0 && number <= 255) || number != std::floor(number))
                    return UsageError(self, "--threshold is a whole number from 0 to 255");
                options.threshold = int(number);
            } else if (a == "--tolerance") {
                if (!(number >= 0 && number <= kMaxTraceTolerance))
                    return UsageError(
                        self, Range("--tolerance is from 0 to %1 units", 0, kMaxTraceTolerance));
                options.tolerance = number;
            } else if (a == "--scale") {
                if (!(number >= kMinTraceScale && number <= kMaxTraceScale))
                    return UsageError(self, Range("--scale is from %1 to %2 units per pixel",
                                                  kMinTraceScale, kMaxTraceScale));
                options.scale = number;
            } else {
                if (!(number >= 0 && number <= kMaxTraceMinArea))
                    return UsageError(self, Range("--min-area is from 0 to %1 square units", 0,
                                                  kMaxTraceMinArea));
                options.minArea = number;
            }
        } else if (a.startsWith('-')) {
            return UsageError(self, "unknown option \"" + a.toStdString() + "\"");
        } else {
            files << a;
        }
    }
    if (files.size() != 2)
        return UsageError(self, "expects a picture and an output file");

    if (!OutputAllowedOrReport(files[1], {files[0]}))
        return EXIT_INVALID_INPUT;
    QString why;
    const QImage image = ReadTraceImage(files[0], &why);
    if (image.isNull()) {
        ReportFile(files[0], why.toStdString());
        return EXIT_INVALID_INPUT;
    }
    if (!channelGiven)
        options.channel = DefaultTraceChannel(image);
    why = CheckTraceOptions(image, options);
    if (!why.isEmpty())
        return UsageError(self, why.toStdString());

    const TraceResult trace = TraceImage(image, options);
    why = TraceProblem(trace);
    if (!why.isEmpty()) {
        ReportFile(files[0], why.toStdString());
        return EXIT_INVALID_INPUT;
    }
    CShape shape;
    AppendTraceToShape(trace, kNewDocumentColor, holes, shape);
    CArchive ar;
    shape.Serialize(ar);
    std::string error;
    if (!WriteFileAtomically(files[1], ar.Buffer(), error)) {
        ReportFile(files[1], error);
        return EXIT_INVALID_INPUT;
    }
    std::printf("%d polygons, %d vertices (%s channel); %d holes %s", int(trace.outlines.size()),
                trace.VertexCount(), options.channel == TraceChannel::Alpha ? "alpha" : "luminance",
                int(trace.holes.size()), holes ? "added as polylines" : "left out");
    if (trace.dropped)
        std::printf("; %d outlines left out that could not be made simple", trace.dropped);
    std::printf("\n");
    return EXIT_OK;
}
