#include "cli/VrkJson.h"

#include "platform/CArchive.h"

#include <QtEndian>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>

using nlohmann::json;
using nlohmann::ordered_json;

namespace {
uint64_t Bits(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

double FromBits(uint64_t b) {
    double d;
    std::memcpy(&d, &b, sizeof d);
    return d;
}

std::string Hex64(uint64_t v) {
    char buf[19];
    std::snprintf(buf, sizeof buf, "0x%016llx", static_cast<unsigned long long>(v));
    return buf;
}

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw JsonFormError(where + ": " + what);
}

int64_t Integer(const json& v, const std::string& where, int64_t lo, int64_t hi) {
    if (!v.is_number_integer())
        Fail(where, "expected an integer");
    const bool inRange = v.is_number_unsigned() ? v.get<uint64_t>() <= uint64_t(hi)
                                                : v.get<int64_t>() >= lo && v.get<int64_t>() <= hi;
    if (!inRange)
        Fail(where, "out of range " + std::to_string(lo) + " to " + std::to_string(hi));
    return v.get<int64_t>();
}

int32_t Int32(const json& v, const std::string& where) {
    return int32_t(Integer(v, where, std::numeric_limits<int32_t>::min(),
                           std::numeric_limits<int32_t>::max()));
}

const json& Member(const json& obj, const char* key, const std::string& where) {
    const auto it = obj.find(key);
    if (it == obj.end())
        Fail(where, std::string("missing member \"") + key + "\"");
    return *it;
}

void OnlyKnownMembers(const json& obj, const std::set<std::string>& known,
                      const std::string& where) {
    if (!obj.is_object())
        Fail(where, "expected an object");
    for (const auto& item : obj.items())
        if (!known.count(item.key()))
            Fail(where, "unknown member \"" + item.key() + "\"");
}

double MassDensity(const json& doc) {
    const auto bits = doc.find("massDensityBits");
    if (bits != doc.end()) {
        // JSON has no NaN or infinity; those values travel as their bit pattern.
        const std::string s = bits->is_string() ? bits->get<std::string>() : std::string();
        if (s.size() != 18 || s.compare(0, 2, "0x") != 0 ||
            s.find_first_not_of("0123456789abcdefABCDEF", 2) != std::string::npos)
            Fail("massDensityBits", "expected \"0x\" and 16 hexadecimal digits");
        const auto value = doc.find("massDensity");
        if (value != doc.end() && !value->is_null())
            Fail("massDensity", "must be null when massDensityBits is given");
        return FromBits(std::stoull(s.substr(2), nullptr, 16));
    }
    const json& v = Member(doc, "massDensity", "object");
    if (!v.is_number())
        Fail("massDensity", "expected a number");
    return v.get<double>();
}

POINT* Points(const json& pts, const std::string& where, int32_t& n) {
    if (!pts.is_array())
        Fail(where, "expected an array of [x, y] pairs");
    if (pts.size() > size_t(std::numeric_limits<int32_t>::max()))
        Fail(where, "too many points");
    n = int32_t(pts.size());
    if (n == 0)
        return nullptr;
    auto* out = new POINT[size_t(n)];
    try {
        for (int32_t i = 0; i < n; ++i) {
            const std::string at = where + "[" + std::to_string(i) + "]";
            const json& p = pts[size_t(i)];
            if (!p.is_array() || p.size() != 2)
                Fail(at, "expected [x, y]");
            out[i].x = Int32(p[0], at + "[0]");
            out[i].y = Int32(p[1], at + "[1]");
        }
    } catch (...) {
        delete[] out;
        throw;
    }
    return out;
}
} // namespace

ordered_json VrkToJson(const VrkFile& file) {
    const CShape& s = file.shape;
    ordered_json doc = ordered_json::object();
    if (file.formatWord != 1)
        doc["formatWord"] = file.formatWord;
    if (std::isfinite(s.m_dMassDensity)) {
        doc["massDensity"] = s.m_dMassDensity;
    } else {
        doc["massDensity"] = nullptr;
        doc["massDensityBits"] = Hex64(Bits(s.m_dMassDensity));
    }
    doc["polarity"] = s.m_nPolarity;
    doc["mayRotate"] = s.m_bMayRotate;
    if (file.storedCount < 0)
        doc["elementCount"] = file.storedCount;
    ordered_json elements = ordered_json::array();
    for (const CPrimitive* p : s.m_elements) {
        ordered_json pts = ordered_json::array();
        for (int32_t i = 0; i < p->m_nPoints; ++i)
            pts.push_back({p->m_pPoints[i].x, p->m_pPoints[i].y});
        elements.push_back({{"type", p->m_nType}, {"color", p->m_crColor}, {"points", pts}});
    }
    doc["elements"] = std::move(elements);
    const QByteArray trailing = file.Trailing();
    if (!trailing.isEmpty())
        doc["trailingBytes"] = trailing.toHex().toStdString();
    return doc;
}

std::string FormatVrkJson(const ordered_json& doc) {
    std::string out = "{";
    const char* sep = "\n";
    for (const auto& item : doc.items()) {
        out += sep + std::string("  ") + ordered_json(item.key()).dump() + ": ";
        sep = ",\n";
        if (item.key() != "elements" || item.value().empty()) {
            out += item.value().dump();
            continue;
        }
        out += "[";
        const char* inner = "\n";
        for (const auto& e : item.value()) {
            out += inner + std::string("    ") + e.dump();
            inner = ",\n";
        }
        out += "\n  ]";
    }
    return out + "\n}\n";
}

QByteArray VrkFromJson(const json& doc) {
    OnlyKnownMembers(doc,
                     {"formatWord", "massDensity", "massDensityBits", "polarity", "mayRotate",
                      "elementCount", "elements", "trailingBytes"},
                     "object");
    CShape shape;
    shape.m_dMassDensity = MassDensity(doc);
    shape.m_nPolarity = Int32(Member(doc, "polarity", "object"), "polarity");
    shape.m_bMayRotate = Int32(Member(doc, "mayRotate", "object"), "mayRotate");

    const json& elements = Member(doc, "elements", "object");
    if (!elements.is_array())
        Fail("elements", "expected an array");
    if (elements.size() > size_t(std::numeric_limits<int32_t>::max()))
        Fail("elements", "too many elements");
    for (size_t i = 0; i < elements.size(); ++i) {
        const std::string at = "elements[" + std::to_string(i) + "]";
        const json& e = elements[i];
        OnlyKnownMembers(e, {"type", "color", "points"}, at);
        const int32_t type = Int32(Member(e, "type", at), at + ".type");
        const auto color = COLORREF(Integer(Member(e, "color", at), at + ".color", 0,
                                            std::numeric_limits<uint32_t>::max()));
        int32_t n = 0;
        POINT* pts = Points(Member(e, "points", at), at + ".points", n);
        shape.AppendElement(type, color, n, pts);
    }

    int32_t count = int32_t(elements.size());
    const auto stored = doc.find("elementCount");
    if (stored != doc.end()) {
        count = Int32(*stored, "elementCount");
        // Only a negative count differs from the list: the reader then reads no elements.
        if (count >= 0 || !elements.empty())
            Fail("elementCount", "only a negative count with an empty element list is allowed");
    }

    QByteArray trailing;
    const auto extra = doc.find("trailingBytes");
    if (extra != doc.end()) {
        const std::string hex = extra->is_string() ? extra->get<std::string>() : "?";
        if (hex.size() % 2 != 0 || hex.find_first_not_of("0123456789abcdefABCDEF") != hex.npos)
            Fail("trailingBytes", "expected an even number of hexadecimal digits");
        trailing = QByteArray::fromHex(QByteArray::fromStdString(hex));
    }

    CArchive ar;
    shape.Serialize(ar);
    QByteArray bytes = ar.Buffer();
    const auto format = doc.find("formatWord");
    if (format != doc.end())
        qToLittleEndian(Int32(*format, "formatWord"), bytes.data());
    qToLittleEndian(count, bytes.data() + 20);
    return bytes + trailing;
}
