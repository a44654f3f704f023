// Accuracy against an independent exact transverse Mercator (scale 1 on the central meridian)
// over latitudes 0-60° and up to 3° either side of the central meridian. A wrong sign or term in
// the series shows up as millimetres; the truncated series itself stays below a tenth of that.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <gtest/gtest.h>

#include "ellipsoids.h"
#include "gauss_projection.h"
#include "packed_angle.h"

namespace {

constexpr int kZone = 19;
constexpr double kL0 = 111.0;
constexpr double kForwardLimit = 1e-4; // metres
constexpr double kInverseLimit = 4e-4; // metres

template <typename Visit> void ForEachGridPoint(Visit visit) {
    for (double lat = 0.0; lat <= 60.0 + 1e-9; lat += 0.5) {
        for (double dlon = -3.0; dlon <= 3.0 + 1e-9; dlon += 0.25) {
            visit(lat, dlon);
        }
    }
}

class Accuracy : public testing::TestWithParam<Ellipsoid> {};

TEST_P(Accuracy, ForwardWithinATenthOfAMillimetre) {
    const Ellipsoid e = GetParam();
    const GeographicLib::TransverseMercatorExact exact(e.a, e.f, 1.0);
    double worst = 0.0;
    ForEachGridPoint([&](double lat, double dlon) {
        CGaussProjection p;
        p.SetAll(6, e.a, e.f, DegreesToPacked(lat), DegreesToPacked(kL0 + dlon), 0, 0);
        p.m_nZone = kZone;
        p.m_L0 = kL0;
        p.BLToXY();
        // Compare at the angle the engine actually projects (after its packed round trip).
        double x = 0;
        double y = 0;
        exact.Forward(kL0, PackedToDegrees(p.m_B), PackedToDegrees(p.m_L), x, y);
        const double error = std::hypot(p.m_X - y, (p.m_Y - kZone * 1e6 - 5e5) - x);
        worst = std::max(worst, error);
        EXPECT_LT(error, kForwardLimit) << "lat " << lat << " dlon " << dlon;
    });
    std::printf("%s forward: max error %.4f mm\n", e.name, worst * 1e3);
}

TEST_P(Accuracy, InverseWithinFourTenthsOfAMillimetre) {
    const Ellipsoid e = GetParam();
    const GeographicLib::TransverseMercatorExact exact(e.a, e.f, 1.0);
    double worst = 0.0;
    ForEachGridPoint([&](double lat, double dlon) {
        double x = 0;
        double y = 0;
        exact.Forward(kL0, lat, kL0 + dlon, x, y);
        CGaussProjection p;
        p.SetAll(6, e.a, e.f, 0, 0, y, kZone * 1e6 + 5e5 + x);
        p.m_nZone = kZone;
        p.m_L0 = kL0;
        p.XYToBL();
        // The position error on the ground: project the engine's answer exactly and measure
        // how far it lands from the plane point it started from.
        double xb = 0;
        double yb = 0;
        exact.Forward(kL0, PackedToDegrees(p.m_B), PackedToDegrees(p.m_L), xb, yb);
        const double error = std::hypot(xb - x, yb - y);
        worst = std::max(worst, error);
        EXPECT_LT(error, kInverseLimit) << "lat " << lat << " dlon " << dlon;
    });
    std::printf("%s inverse: max error %.4f mm\n", e.name, worst * 1e3);
}

INSTANTIATE_TEST_SUITE_P(Presets, Accuracy, testing::Values(kWgs84, kXian80, kBeijing54),
                         [](const testing::TestParamInfo<Ellipsoid>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
