#include "cli/ToolCommand.h"
#include "cli/ToolOptions.h"
#include "cli/VrkFile.h"
#include "platform/CArchive.h"
#include "trace/ImageTracer.h"
#include "trace/TraceImageFile.h"
#include "trace/TraceToShape.h"

#include <cstdio>

namespace {
// A new document's colour for new elements.
constexpr COLORREF kNewDocumentColor = 0xFFFFFF;
} // namespace

int RunTrace(const ToolCommand& self, const QStringList& args) {
    TraceOptions options;
    bool channelGiven = false, holes = false;
    double threshold = options.threshold;
    QString channel;
    ToolOptions parser;
    parser.Flag("--invert", &options.invert);
    parser.Flag("--holes", &holes);
    parser.Number("--threshold", &threshold, {0, 255, "", false, true});
    parser.Number("--tolerance", &options.tolerance, {0, kMaxTraceTolerance, "units"});
    parser.Number("--scale", &options.scale, {kMinTraceScale, kMaxTraceScale, "units per pixel"});
    parser.Number("--min-area", &options.minArea, {0, kMaxTraceMinArea, "square units"});
    parser.Choice("--channel", &channel, {"alpha", "luminance"}, &channelGiven);
    QStringList files;
    std::string wrong;
    if (!parser.Parse(args, files, wrong))
        return UsageError(self, wrong);
    options.threshold = int(threshold);
    if (channelGiven)
        options.channel = channel == "alpha" ? TraceChannel::Alpha : TraceChannel::Luminance;
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
