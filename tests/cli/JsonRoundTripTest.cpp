#include "CliTestSupport.h"
#include "cli/VrkJson.h"

#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {
// bytes -> reader -> JSON text -> JSON parser -> bytes, as to-json | from-json does.
QByteArray ThroughJson(const QByteArray& bytes) {
    VrkFile file;
    std::string error;
    EXPECT_TRUE(ParseVrk(bytes, file, error)) << error;
    const std::string text = FormatVrkJson(VrkToJson(file));
    return VrkFromJson(nlohmann::json::parse(text));
}

double NanWithPayload() {
    const uint64_t bits = 0x7ff4000000abcdefULL; // signalling, with a payload
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

struct Case {
    const char* name;
    QByteArray bytes;
};

std::vector<Case> Cases() {
    const auto circle = VrkRecord(2, 0x00FF00FF, {{-40, 7}, {12, -999}}); // y of point 1 kept
    return {
        {"empty object", VrkHeader(0)},
        {"every element type", VrkHeader(4, 0.1, 1, 0) +
                                   VrkRecord(0, 0xFFFFFF, {{-3, 4}, {5, 6}, {7, 8}}) +
                                   VrkRecord(1, 0xFF, {{0, 0}, {10, 0}, {10, 10}}) + circle +
                                   VrkRecord(3, 0x123456, {{1, 2}, {3, 4}})},
        {"unknown type with colour high byte", VrkHeader(1) + VrkRecord(42, 0xAB000001, {{9, 9}})},
        {"element without points", VrkHeader(2) + VrkRecord(1, 0, {}) + circle},
        {"extreme coordinates", VrkHeader(1) + VrkRecord(0, 0xFFFFFFFF, {{INT32_MIN, INT32_MAX}})},
        {"format word not 1", VrkHeader(1, 20.0, 0, 1, -77) + circle},
        {"negative count and bytes after the header", VrkHeader(-5) + QByteArray("\0\1\2", 3)},
        {"bytes after the last element", VrkHeader(1) + circle + QByteArray("tail")},
        {"NaN density with payload", VrkHeader(0, NanWithPayload())},
        {"infinite density", VrkHeader(0, -std::numeric_limits<double>::infinity())},
        {"negative zero density", VrkHeader(0, -0.0)},
        {"density needing 17 digits", VrkHeader(0, 0.1 + 0.2)},
        {"odd property values", VrkHeader(0, 1e-300, -4, 7)},
    };
}
} // namespace

TEST(JsonRoundTrip, EveryKindOfFileComesBackByteForByte) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ThroughJson(c.bytes).toHex(), c.bytes.toHex());
    }
}

TEST(JsonRoundTrip, ThroughTheProgramWithFiles) {
    QTemporaryDir dir;
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        const QString vrk = dir.filePath("in.vrk"), json = dir.filePath("in.json"),
                      out = dir.filePath("out.vrk");
        WriteAll(vrk, c.bytes);
        const ToolRun to = RunTool({"to-json", vrk});
        ASSERT_EQ(to.status, 0) << to.err.toStdString();
        WriteAll(json, to.out.toUtf8());
        const ToolRun from = RunTool({"from-json", json, out});
        ASSERT_EQ(from.status, 0) << from.err.toStdString();
        EXPECT_EQ(ReadAll(out).toHex(), c.bytes.toHex());
    }
}

TEST(JsonForm, NamesTheOptionalMembersOnlyWhenNeeded) {
    VrkFile plain, odd;
    std::string error;
    ASSERT_TRUE(ParseVrk(VrkHeader(1) + VrkRecord(3, 0xFF, {{0, 0}, {10, 10}}), plain, error));
    const auto doc = VrkToJson(plain);
    EXPECT_EQ(doc.dump(), R"({"massDensity":20.0,"polarity":0,"mayRotate":1,)"
                          R"("elements":[{"type":3,"color":255,"points":[[0,0],[10,10]]}]})");

    ASSERT_TRUE(ParseVrk(VrkHeader(-1, NanWithPayload(), 0, 1, 2) + "x", odd, error));
    const auto j = VrkToJson(odd);
    EXPECT_EQ(j["formatWord"], 2);
    EXPECT_TRUE(j["massDensity"].is_null());
    EXPECT_EQ(j["massDensityBits"], "0x7ff4000000abcdef");
    EXPECT_EQ(j["elementCount"], -1);
    EXPECT_EQ(j["trailingBytes"], "78");
}

TEST(JsonForm, RefusesDocumentsThatAreNotObjects) {
    const char* base = R"("polarity":0,"mayRotate":1,"elements":[)";
    const struct {
        std::string json;
        const char* where;
    } bad[] = {
        {std::string(R"({"massDensity":20,)") + base + "]}", nullptr},
        {std::string(R"({)") + base + "]}", "missing member \"massDensity\""},
        {std::string(R"({"massDensity":"20",)") + base + "]}", "massDensity"},
        {std::string(R"({"massDensity":20,"colour":1,)") + base + "]}",
         "unknown member \"colour\""},
        {std::string(R"({"massDensity":20,)") + base + R"({"type":0,"color":0,"points":[[1]]}]})",
         "elements[0].points[0]"},
        {std::string(R"({"massDensity":20,)") + base +
             R"({"type":0,"color":0,"points":[[2147483648,0]]}]})",
         "elements[0].points[0][0]"},
        {std::string(R"({"massDensity":20,)") + base + R"({"type":0,"color":-1,"points":[]}]})",
         "elements[0].color"},
        {std::string(R"({"massDensity":20,)") + base + R"({"type":1.5,"color":0,"points":[]}]})",
         "elements[0].type"},
        {std::string(R"({"massDensity":20,"elementCount":3,)") + base + "]}", "elementCount"},
        {std::string(R"({"massDensity":20,"massDensityBits":"0x7ff8000000000000",)") + base + "]}",
         "massDensity: must be null"},
        {std::string(R"({"massDensity":null,"massDensityBits":"7ff8",)") + base + "]}",
         "massDensityBits"},
        {std::string(R"({"massDensity":20,"trailingBytes":"abc",)") + base + "]}", "trailingBytes"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.json);
        const auto doc = nlohmann::json::parse(b.json);
        if (!b.where) {
            EXPECT_NO_THROW(VrkFromJson(doc)); // the baseline is valid
            continue;
        }
        try {
            VrkFromJson(doc);
            ADD_FAILURE() << "accepted";
        } catch (const JsonFormError& e) {
            EXPECT_NE(std::string(e.what()).find(b.where), std::string::npos) << e.what();
        }
    }
}

TEST(JsonForm, BadInputNeverTouchesTheOutputFile) {
    QTemporaryDir dir;
    const QString out = dir.filePath("keep.vrk"), json = dir.filePath("bad.json");
    const QByteArray old = VrkHeader(0);
    WriteAll(out, old);
    for (const QByteArray& text : {QByteArray("{\"massDensity\": 20, \"polar"),
                                   QByteArray("{\"massDensity\": 20, \"elements\": []}")}) {
        WriteAll(json, text);
        const ToolRun run = RunTool({"from-json", json, out});
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(run.errLines().size(), 1) << run.err.toStdString();
        EXPECT_TRUE(run.errLines()[0].startsWith(json + ": ")) << run.err.toStdString();
        EXPECT_EQ(ReadAll(out), old);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary left behind
}
