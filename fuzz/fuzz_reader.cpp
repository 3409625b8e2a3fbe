// libFuzzer entry point over the object file reader. Beyond "does not crash",
// it checks the reader's contract: whatever it accepts is written back as the
// very bytes it consumed, and what the editor does right after opening a file
// (copying the object, hit-test rectangles, centring it in the window) is safe
// on any accepted input, and a move there and back changes no byte. It also holds morvet-tool to
// the reader: check's scan finds the reader's verdict, and the JSON form gives back every byte.
#include "cli/VrkFile.h"
#include "cli/VrkJson.h"
#include "cli/VrkScanner.h"
#include "object/CShape.h"
#include "platform/CArchive.h"
#include "platform/CFormatError.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
constexpr size_t kHeader = 24;
constexpr size_t kCountOffset = 20;

bool SameBytes(const char* a, const char* b, size_t from, size_t to) {
    return to <= from || std::memcmp(a + from, b + from, to - from) == 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    std::string firstScanError;
    for (const VrkProblem& p : ScanVrk(input))
        if (p.severity == VrkProblem::Error && firstScanError.empty())
            firstScanError = p.message;

    CShape shape;
    size_t consumed = 0;
    try {
        CArchive ar(input);
        shape.Serialize(ar);
        consumed = ar.Position();
    } catch (const CFormatError& e) {
        if (firstScanError != e.what())
            std::abort();
        return 0;
    }
    if (!firstScanError.empty())
        std::abort();

    CArchive out;
    shape.Serialize(out);
    const QByteArray& written = out.Buffer();
    // The format word is always written as 1, and a count of zero or less
    // comes back as 0; every other byte read must come back unchanged.
    const bool noElements = shape.m_elements.empty();
    const size_t expected = noElements ? kHeader : consumed;
    if (size_t(written.size()) != expected)
        std::abort();
    if (!SameBytes(written.constData(), input.constData(), 4, noElements ? kCountOffset : consumed))
        std::abort();

    CShape copy(shape);
    for (int i = 0; i < copy.GetSize(); ++i) {
        CRect r;
        copy.GetElementRect(i, &r);
    }
    copy.Transform(0, 0, 400, 300, 0.0, 1.0, 1.0);

    // Opening moves the object to the window's middle and saving moves it
    // back: a pure move there and back must give the very bytes again.
    CShape moved(shape);
    moved.Move(-2147483000, 400);
    moved.Move(2147483000, -400);
    CArchive again;
    moved.Serialize(again);
    if (again.Buffer() != written)
        std::abort();

    VrkFile file;
    std::string error;
    if (!ParseVrk(input, file, error))
        std::abort();
    const std::string text = FormatVrkJson(VrkToJson(file));
    if (VrkFromJson(nlohmann::json::parse(text)) != input)
        std::abort();
    return 0;
}
