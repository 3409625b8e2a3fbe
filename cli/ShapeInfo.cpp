#include "cli/ShapeInfo.h"

#include <QLocale>
#include <QString>
#include <algorithm>

ShapeInfo Summarize(const CShape& shape) {
    ShapeInfo info;
    for (const CPrimitive* p : shape.m_elements) {
        if (p->m_nType >= PRIM_POLYLINE && p->m_nType <= PRIM_FILLED_CIRCLE)
            ++info.byType[size_t(p->m_nType)];
        else
            ++info.unknownTypes;
        info.totalPoints += p->m_nPoints;
        // Unknown types are never drawn, and an element without the points its
        // type needs covers nothing; neither widens the box.
        const bool known = p->m_nType >= PRIM_POLYLINE && p->m_nType <= PRIM_FILLED_CIRCLE;
        if (!known || p->m_nPoints < (p->IsPath() ? 1 : 2))
            continue;
        CRect r;
        GetPrimitiveRect(p, &r);
        r.NormalizeRect(); // a negative radius turns a circle's box inside out
        if (!info.hasBox) {
            info.left = r.left, info.top = r.top, info.right = r.right, info.bottom = r.bottom;
            info.hasBox = true;
            continue;
        }
        info.left = std::min<int64_t>(info.left, r.left);
        info.top = std::min<int64_t>(info.top, r.top);
        info.right = std::max<int64_t>(info.right, r.right);
        info.bottom = std::max<int64_t>(info.bottom, r.bottom);
    }
    return info;
}

std::string FormatInfo(const CShape& shape, const ShapeInfo& info) {
    auto flag = [](int32_t v, const char* zero, const char* one) {
        const QString name = v == 0 ? zero : v == 1 ? one : "unexpected value";
        return QStringLiteral("%1 (%2)").arg(name).arg(v);
    };
    QString out;
    out += QStringLiteral("mass density: %1\n")
               .arg(shape.m_dMassDensity, 0, 'g', QLocale::FloatingPointShortest);
    out += QStringLiteral("polarity: %1\n").arg(flag(shape.m_nPolarity, "positive", "negative"));
    out += QStringLiteral("may rotate: %1\n").arg(flag(shape.m_bMayRotate, "no", "yes"));
    out += QStringLiteral("elements: %1\n").arg(shape.GetSize());
    const char* names[] = {"polylines", "polygons", "circles", "filled circles"};
    for (size_t t = 0; t < info.byType.size(); ++t)
        out += QStringLiteral("  %1: %2\n").arg(names[t]).arg(info.byType[t]);
    out += QStringLiteral("  unknown types: %1\n").arg(info.unknownTypes);
    out += QStringLiteral("points: %1\n").arg(info.totalPoints);
    if (info.hasBox)
        out += QStringLiteral("bounding box: left %1, top %2, right %3, bottom %4 "
                              "(relative to the center of mass)\n")
                   .arg(info.left)
                   .arg(info.top)
                   .arg(info.right)
                   .arg(info.bottom);
    else
        out += QStringLiteral("bounding box: none\n");
    return out.toStdString();
}
