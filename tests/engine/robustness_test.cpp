// Every operation returns on any double: NaN, infinities, huge values, a sphere, an infinite
// flattening. Under the sanitizers this also proves no undefined conversion happens.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "engine/gauss_projection.h"
#include "engine/series_method.h"
#include "tests/engine/form_engine.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Robustness, EveryOperationReturnsOnHostileInput) {
    const double values[] = {kNaN, kInf, -kInf, 1e30, -1e30, 1e300, 3e10, -5e10, 0.0, 91.0};
    for (const double v : values) {
        for (const double f : {kWgs84.f, 0.0, kInf}) {
            SCOPED_TRACE(testing::Message() << v << " f=" << f);
            CGaussProjection p;
            p.SetAll(6, kWgs84.a, f, v, v, v, v);
            p.ZoneFromL();
            p.BLToXY();
            p.SetAll(3, kWgs84.a, f, v, v, v, v);
            p.ZoneFromY();
            p.XYToBL();
            p.SetAll(3, kWgs84.a, f, 0, 0, v, v);
            p.AdjacentZone3();
            p.SetAll(3, kWgs84.a, f, 0, 0, v, v);
            p.AdjacentZone6();
            p.SetAll(3, kWgs84.a, f, 0, 0, v, v);
            p.Zone3To6();
            p.SetAll(3, kWgs84.a, f, 0, 0, v, v);
            p.Zone6To3();
            EXPECT_TRUE(p.m_nZoneWidth == 3);
        }
    }
}

TEST(Robustness, NonNumbersComeOutAsNonNumbers) {
    EXPECT_TRUE(std::isnan(Inverse(kWgs84, 6, kNaN, 19500000.0).m_B));
    const FormEllipsoid alfaZero{"alfa 0", kWgs84.a, kInf};
    EXPECT_FALSE(std::isfinite(Forward(alfaZero, 6, 30.0, 111.0).m_X));
}

TEST(FootpointLatitude, EndsForNorthingsTooLargeToResolve) {
    for (const double X : {2.6e10, 3e10, 1e12, -7.77e13, 1e300, kInf, kNaN}) {
        SCOPED_TRACE(X);
        const double Bf = FootpointLatitude(Ellipsoid(kWgs84.a, kWgs84.f), X);
        if (std::isfinite(X) && std::fabs(X) < 1e15) {
            // Still the right neighbourhood: the arc at Bf is X to the series' resolution.
            EXPECT_NEAR(MeridianArcLength(Ellipsoid(kWgs84.a, kWgs84.f), Bf) / X, 1.0, 1e-6);
        } else {
            EXPECT_FALSE(std::isfinite(Bf) && std::fabs(Bf) < 1.0);
        }
    }
}

TEST(Sphere, ProjectsWithoutEccentricity) {
    // On a sphere the central meridian is a great circle: X = R × B exactly as the series says.
    const double R = 6371000.0;
    const CGaussProjection p = Forward({"sphere", R, 0.0}, 6, 45.0, 111.0);
    EXPECT_NEAR(p.m_X, R * std::acos(-1.0) / 4.0, 1e-6);
    EXPECT_EQ(p.m_Y, 19500000.0);
}

} // namespace
