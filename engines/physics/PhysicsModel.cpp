#include "physics/PhysicsModel.h"
#include "geometry/PolygonRing.h"
#include "physics/Box2DLimits.h"
#include "physics/Box2DUnits.h"
#include "physics/ConvexPartition.h"

#include <box2d/b2_common.h>
#include <box2d/b2_settings.h>

#include <algorithm>
#include <cmath>

using namespace physics;
using namespace geometry;

bool PhysicsModel::HasErrors() const {
    return ErrorCount() > 0;
}

int PhysicsModel::ErrorCount() const {
    return int(std::count_if(problems.begin(), problems.end(), [](const PhysicsProblem& p) {
        return p.severity == PhysicsProblem::Error;
    }));
}

namespace {

constexpr double kPi = 3.14159265358979323846;

QString Num(double v) {
    return QString::number(v, 'g', 6);
}

// Area, first moments and the polar second moment about the center of mass,
// and beside them the polar moment about the running centroid. That one is
// not the difference of the other two, which cancels for a small object far
// from the center of mass; each element joins it with its exact
// parallel-axis term instead, all terms positive (Chan's pairwise update).
struct Moments {
    double area = 0, sx = 0, sy = 0, polar = 0;
    double meanX = 0, meanY = 0, spread = 0;
    void Add(double a, double cx, double cy, double polarAboutOwnCentroid) {
        area += a;
        sx += a * cx;
        sy += a * cy;
        polar += polarAboutOwnCentroid + a * (cx * cx + cy * cy);
        const double dx = cx - meanX, dy = cy - meanY, share = area > 0 ? a / area : 0;
        spread += polarAboutOwnCentroid + (dx * dx + dy * dy) * (area - a) * share;
        meanX += dx * share;
        meanY += dy * share;
    }
};

class ModelBuilder {
public:
    ModelBuilder(PhysicsModel& model, double unitsPerMetre)
        : m_model(model), m_scale(unitsPerMetre) {}

    void Add(const CPrimitive& prim, int element);
    void Finish();

private:
    void AddPolyline(const std::vector<QPointF>& pts, int element);
    void AddPolygon(const std::vector<IPoint>& pts, int element);
    void AddWall(const QPointF& a, const QPointF& b, int element);
    void Problem(PhysicsProblem::Severity s, int element, const QString& message,
                 const QPointF* place = nullptr);
    bool CheckFixture(const PhysicsFixture& f);

    PhysicsModel& m_model;
    double m_scale;
    Moments m_moments;
    size_t m_elementFixtures = 0; // first fixture of the element being added
};

void ModelBuilder::Problem(PhysicsProblem::Severity s, int element, const QString& message,
                           const QPointF* place) {
    PhysicsProblem p;
    p.severity = s;
    p.element = element;
    p.message = message;
    if (place) {
        p.hasPlace = true;
        p.place = *place;
    }
    m_model.problems.push_back(p);
}

// Whether Box2D takes the fixture as it is, judged on the very floats it will
// get: every point within the reach of Box2D's precision, no two corners close
// enough for b2PolygonShape::Set to weld them, every corner a strict turn, an
// area above Box2D's epsilon. A failure is an error of the element, worded
// after the test that failed, with its place.
bool ModelBuilder::CheckFixture(const PhysicsFixture& f) {
    const QString at = QString("at %1 units per metre").arg(Num(m_scale));
    double reach = 0;
    QPointF farthest = f.isCircle ? f.center : QPointF();
    if (f.isCircle) {
        reach = std::hypot(f.center.x(), f.center.y()) + f.radius;
    } else {
        double reach2 = 0; // squared: one root per fixture, not one per corner
        for (const QPointF& v : f.vertices)
            if (const double d2 = v.x() * v.x() + v.y() * v.y(); d2 > reach2) {
                reach2 = d2;
                farthest = v;
            }
        reach = std::sqrt(reach2);
    }
    if (!(reach / m_scale <= kMaxBox2DMetres)) {
        // More units per metre bring the element closer in metres: advised
        // only where a scale the export takes would do.
        const double enough = std::ceil(reach / kMaxBox2DMetres);
        const QString advice = enough <= kMaxUnitsPerMetre
                                   ? QString("; %1 units per metre would hold it").arg(enough)
                                   : QString();
        Problem(PhysicsProblem::Error, f.element,
                QString("reaches %1 m from the center of mass %2, beyond the %3 m within which "
                        "Box2D's floats keep the precision it needs%4")
                    .arg(Num(reach / m_scale), at, Num(kMaxBox2DMetres), advice),
                &farthest);
        return false;
    }
    const double minGap = 0.5 * double(b2_linearSlop) * m_scale; // in file units
    if (f.isCircle) {
        if (f.radius >= minGap)
            return true;
        Problem(PhysicsProblem::Error, f.element,
                QString("circle too small for Box2D %1: radius %2, at least %3 needed")
                    .arg(at, Num(f.radius), Num(minGap)),
                &f.center);
        return false;
    }
    const int n = int(f.vertices.size());
    if (n < 3 || n > b2_maxPolygonVertices)
        return false; // never built so
    b2Vec2 v[b2_maxPolygonVertices];
    for (int i = 0; i < n; ++i)
        v[i] = ToBox2D(f.vertices[size_t(i)], m_scale);
    // The closest pair of corners, and the closest that Box2D welds, both
    // measured in file units for the message.
    const float weld = (0.5f * b2_linearSlop) * (0.5f * b2_linearSlop);
    double closest = INFINITY, welded = INFINITY;
    QPointF where = f.vertices[0], weldedAt;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j) {
            const QPointF &p = f.vertices[size_t(i)], &q = f.vertices[size_t(j)];
            const double gap = std::hypot(p.x() - q.x(), p.y() - q.y());
            if (gap < closest) {
                closest = gap;
                where = (p + q) / 2;
            }
            if (b2DistanceSquared(v[i], v[j]) < weld && gap < welded) {
                welded = gap;
                weldedAt = (p + q) / 2;
            }
        }
    if (welded < minGap) {
        Problem(PhysicsProblem::Error, f.element,
                QString("too small for Box2D %1: corners %2 units apart, at least %3 needed")
                    .arg(at, Num(welded), Num(minGap)),
                &weldedAt);
        return false;
    }
    if (welded < INFINITY) {
        // Right at the welding distance: single precision decides, and did.
        Problem(PhysicsProblem::Error, f.element,
                QString("too small for Box2D %1: corners %2 units apart, which single precision "
                        "brings within Box2D's welding distance (%3 units)")
                    .arg(at, Num(welded), Num(minGap)),
                &weldedAt);
        return false;
    }
    bool turns = true;
    double area = 0;
    for (int i = 0; i < n; ++i) {
        const b2Vec2 e1 = v[(i + 1) % n] - v[i], e2 = v[(i + 2) % n] - v[(i + 1) % n];
        turns = turns && b2Cross(e1, e2) > 0.0f;
        if (i >= 1 && i + 1 < n)
            area += 0.5 * double(b2Cross(v[i] - v[0], v[i + 1] - v[0]));
    }
    if (turns && area > 4 * double(b2_epsilon))
        return true;
    Problem(PhysicsProblem::Error, f.element,
            QString("too far from the center of mass for Box2D's precision %1: its corners blur "
                    "together")
                .arg(at),
            &where);
    return false;
}

void ModelBuilder::AddWall(const QPointF& a, const QPointF& b, int element) {
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF side(-u.y() * kWallThickness / 2, u.x() * kWallThickness / 2);
    PhysicsFixture f;
    f.element = element;
    // Counter-clockwise once y points up: clockwise in the file's frame.
    f.vertices = {a + side, b + side, b - side, a - side};
    double twiceArea = 0;
    for (size_t i = 0; i < 4; ++i) {
        const QPointF &p = f.vertices[i], &q = f.vertices[(i + 1) % 4];
        twiceArea += p.x() * q.y() - q.x() * p.y();
    }
    if (twiceArea > 0)
        std::reverse(f.vertices.begin(), f.vertices.end());
    const double area = length * kWallThickness;
    const QPointF mid = (a + b) / 2;
    m_moments.Add(area, mid.x(), mid.y(),
                  area * (length * length + kWallThickness * kWallThickness) / 12);
    m_model.fixtures.push_back(std::move(f));
}

void ModelBuilder::AddPolyline(const std::vector<QPointF>& pts, int element) {
    for (size_t k = 0; k + 1 < pts.size(); ++k)
        if (pts[k] != pts[k + 1])
            AddWall(pts[k], pts[k + 1], element);
}

void ModelBuilder::AddPolygon(const std::vector<IPoint>& pts, int element) {
    const QPointF first = pts.empty() ? QPointF() : QPointF(double(pts[0].x), double(pts[0].y));
    if (pts.size() < 3) {
        Problem(PhysicsProblem::Note, element,
                QString("filled polygon with %1 point(s) has no area and carries no mass")
                    .arg(pts.size()),
                pts.empty() ? nullptr : &first);
        return;
    }
    const std::vector<IPoint> ring = DropRepeats(pts);
    if (AllCollinear(ring)) {
        Problem(PhysicsProblem::Error, element,
                "filled polygon has zero area: its points all lie on one line", &first);
        return;
    }
    double x = 0, y = 0;
    if (FindSelfContact(ring, &x, &y)) {
        const QPointF place(x, y);
        Problem(PhysicsProblem::Error, element,
                QString("filled polygon's edges cross or touch at (%1, %2)").arg(Num(x), Num(y)),
                &place);
        return;
    }
    const std::vector<IPoint> corners = NormalizeSimpleRing(ring);

    // Mass properties from the outline itself, relative to its first corner for
    // precision, then moved to the center of mass.
    const IPoint r = corners[0];
    const Wide twiceArea = TwiceSignedArea(corners);
    double sx = 0, sy = 0, polar = 0;
    const size_t n = corners.size();
    for (size_t i = 0; i < n; ++i) {
        const IPoint& p = corners[i];
        const IPoint& q = corners[(i + 1) % n];
        const double px = double(p.x - r.x), py = double(p.y - r.y);
        const double qx = double(q.x - r.x), qy = double(q.y - r.y);
        const double c = double(Cross(r, p, q));
        sx += c * (px + qx);
        sy += c * (py + qy);
        polar += c * (px * px + px * qx + qx * qx + py * py + py * qy + qy * qy);
    }
    const double area = double(twiceArea) / 2;
    const double cx = sx / 6 / area, cy = sy / 6 / area; // relative to r
    const double polarAboutCentroid = polar / 12 - area * (cx * cx + cy * cy);
    m_moments.Add(area, cx + double(r.x), cy + double(r.y), polarAboutCentroid);

    const bool convex = IsConvexRing(corners);
    std::vector<std::vector<int>> pieces;
    if (!PartitionConvex(corners, b2_maxPolygonVertices, pieces)) {
        Problem(PhysicsProblem::Error, element,
                "filled polygon could not be split into convex pieces", &first);
        return;
    }
    for (const std::vector<int>& piece : pieces) {
        PhysicsFixture f;
        f.element = element;
        for (auto it = piece.rbegin(); it != piece.rend(); ++it)
            f.vertices.emplace_back(double(corners[size_t(*it)].x), double(corners[size_t(*it)].y));
        m_model.fixtures.push_back(std::move(f));
    }
    if (!convex)
        Problem(
            PhysicsProblem::Note, element,
            QString("concave polygon: export splits it into %1 convex pieces").arg(pieces.size()),
            &first);
    else if (n > size_t(b2_maxPolygonVertices))
        Problem(PhysicsProblem::Note, element,
                QString("polygon with %1 corners: export splits it into %2 pieces of at most %3")
                    .arg(n)
                    .arg(pieces.size())
                    .arg(b2_maxPolygonVertices),
                &first);
}

void ModelBuilder::Add(const CPrimitive& prim, int element) {
    m_elementFixtures = m_model.fixtures.size();
    const int count = std::max(prim.m_nPoints, 0);
    const POINT* p = prim.m_pPoints;
    const auto fileX = [&](int i) { return int64_t(p[i].x); };
    const auto fileY = [&](int i) { return int64_t(p[i].y); };
    const QPointF first = count > 0 ? QPointF(double(fileX(0)), double(fileY(0))) : QPointF();
    switch (prim.m_nType) {
    case PRIM_POLYLINE: {
        std::vector<QPointF> pts;
        pts.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            pts.emplace_back(double(fileX(i)), double(fileY(i)));
        AddPolyline(pts, element);
        if (m_model.fixtures.size() == m_elementFixtures)
            Problem(PhysicsProblem::Note, element,
                    count == 0 ? QString("polyline without points carries no mass")
                               : QString("polyline with no length carries no mass"),
                    count > 0 ? &first : nullptr);
        break;
    }
    case PRIM_POLYGON: {
        std::vector<IPoint> pts;
        pts.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            pts.push_back(IPoint{fileX(i), fileY(i)});
        AddPolygon(pts, element);
        break;
    }
    case PRIM_CIRCLE:
    case PRIM_FILLED_CIRCLE: {
        const double radius = count >= 2 ? double(p[1].x) : 0;
        if (radius <= 0) {
            Problem(PhysicsProblem::Note, element,
                    QString("circle of radius %1 carries no mass").arg(Num(radius)),
                    count > 0 ? &first : nullptr);
            break;
        }
        if (prim.m_nType == PRIM_FILLED_CIRCLE) {
            PhysicsFixture f;
            f.isCircle = true;
            f.center = first;
            f.radius = radius;
            f.element = element;
            const double area = kPi * radius * radius;
            m_moments.Add(area, first.x(), first.y(), area * radius * radius / 2);
            m_model.fixtures.push_back(std::move(f));
            break;
        }
        QPointF ring[kWallSegmentsPerCircle];
        for (int k = 0; k < kWallSegmentsPerCircle; ++k) {
            const double angle = 2 * kPi * k / kWallSegmentsPerCircle;
            ring[k] = first + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        }
        for (int k = 0; k < kWallSegmentsPerCircle; ++k)
            AddWall(ring[k], ring[(k + 1) % kWallSegmentsPerCircle], element);
        break;
    }
    default:
        Problem(PhysicsProblem::Note, element,
                QString("element of unknown type %1 carries no mass").arg(prim.m_nType),
                count > 0 ? &first : nullptr);
        break;
    }
    for (size_t i = m_elementFixtures; i < m_model.fixtures.size(); ++i)
        if (!CheckFixture(m_model.fixtures[i]))
            break; // one error per element is enough
}

void ModelBuilder::Finish() {
    MassProperties& m = m_model.mass;
    m.area = m_moments.area;
    m.mass = m_model.density * m.area;
    if (m.area > 0) {
        m.centroid = QPointF(m_moments.sx / m.area, m_moments.sy / m.area);
        m.distance = std::hypot(m.centroid.x(), m.centroid.y());
    }
    m.inertiaAboutCenterOfMass = m_model.density * m_moments.polar;
    m.inertiaAboutCentroid = m_model.density * m_moments.spread;
    // The object as a whole, once every element has been judged.
    const std::vector<PhysicsProblem> whole = ObjectLimitProblems(m_model);
    m_model.problems.insert(m_model.problems.begin(), whole.begin(), whole.end());
}

} // namespace

PhysicsModel BuildPhysicsModel(const CShape& shape, double unitsPerMetre) {
    PhysicsModel model;
    model.density = shape.m_dMassDensity;
    model.fixedRotation = !shape.m_bMayRotate;
    model.polarity = shape.m_nPolarity;
    model.unitsPerMetre = unitsPerMetre;
    ModelBuilder builder(model, unitsPerMetre);
    for (int i = 0; i < shape.GetSize(); ++i)
        builder.Add(*shape.m_elements[size_t(i)], i);
    builder.Finish();
    return model;
}

bool HasPositiveArea(const CShape& shape) {
    for (const CPrimitive* prim : shape.m_elements) {
        const int count = std::max(prim->m_nPoints, 0);
        const POINT* p = prim->m_pPoints;
        switch (prim->m_nType) {
        case PRIM_POLYLINE:
            for (int i = 0; i + 1 < count; ++i)
                if (p[i].x != p[i + 1].x || p[i].y != p[i + 1].y)
                    return true;
            break;
        case PRIM_POLYGON: {
            if (count < 3)
                break;
            std::vector<IPoint> pts;
            pts.reserve(size_t(count));
            for (int i = 0; i < count; ++i)
                pts.push_back(IPoint{p[i].x, p[i].y});
            const std::vector<IPoint> ring = DropRepeats(pts);
            double x, y;
            if (!AllCollinear(ring) && !FindSelfContact(ring, &x, &y))
                return true;
            break;
        }
        case PRIM_CIRCLE:
        case PRIM_FILLED_CIRCLE:
            if (count >= 2 && p[1].x > 0)
                return true;
            break;
        default:
            break;
        }
    }
    return false;
}
