#pragma once
// Checks a picture of one circle against its closed form: the circle drawn
// for centre (cx, cy) and radius r fills the box from cx - r to cx + r - 1, so
// its true middle is half a pixel up and left of the centre and its true
// radius is r - 1/2. Pixels more than two pixels inside the curve show the
// fill (or stay black for an outline), pixels more than two pixels outside stay
// black, and on every row the curve crosses well inside the picture the
// outline shows within those two pixels. `skip` leaves out a small area (the
// view's red cross).
#include <QImage>
#include <QRect>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

namespace morvet_test {

inline std::string CircleMismatch(const QImage& image, int64_t cx, int64_t cy, int64_t r,
                                  bool filled, QRgb fill, QRect skip = QRect()) {
    const double mx = double(cx) - 0.5, my = double(cy) - 0.5, radius = double(std::abs(r)) - 0.5;
    constexpr QRgb kBlack = 0x000000, kWhite = 0xFFFFFF;
    std::ostringstream out;
    int errors = 0;
    const auto fail = [&](int x, int y, const char* what, QRgb got) {
        if (errors++ < 5)
            out << "(" << x << ", " << y << ") " << what << ", got #" << std::hex << got << std::dec
                << "; ";
    };
    for (int y = 0; y < image.height(); ++y) {
        bool outlineSeen = false;
        const double u = std::abs(double(y) - my);
        const bool crosses = u < radius - 3 && y > 2 && y < image.height() - 3;
        const double half = crosses ? std::sqrt((radius - u) * (radius + u)) : 0;
        const bool crossingInside = crosses && ((mx - half > 3 && mx - half < image.width() - 3) ||
                                                (mx + half > 3 && mx + half < image.width() - 3));
        for (int x = 0; x < image.width(); ++x) {
            if (skip.contains(x, y))
                continue;
            const QRgb px = image.pixel(x, y) & 0xFFFFFF;
            // Distance from the curve, in long double: centres lie up to 2^31 away.
            const long double dx = (long double)x - mx, dy = (long double)y - my;
            const double d = double(std::sqrt(dx * dx + dy * dy) - radius);
            if (d > 2 && px != kBlack)
                fail(x, y, "outside the circle is not black", px);
            else if (d < -2 && px != (filled ? fill : kBlack))
                fail(x, y, "inside the circle is not its fill", px);
            else if (std::abs(d) <= 2 && px == kWhite)
                outlineSeen = true;
        }
        if (crossingInside && !outlineSeen && !(y >= skip.top() && y <= skip.bottom()))
            fail(-1, y, "row without the outline", 0);
    }
    if (errors)
        out << errors << " wrong pixels";
    return out.str();
}

} // namespace morvet_test
