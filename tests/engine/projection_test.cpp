// Forward and inverse projection: worked examples, exact values, symmetry and round trips.
#include <cmath>

#include <gtest/gtest.h>

#include "engine/gauss_projection.h"
#include "engine/packed_angle.h"
#include "engine/series_method.h"
#include "tests/engine/form_engine.h"

namespace {

TEST(BLToXY, CentralMeridianGivesTheMeridianArcExactly) {
    const double pi = std::acos(-1.0);
    const Ellipsoid wgs84(kWgs84.a, kWgs84.f);
    for (const double B : {0.0, 30.0, 45.0, 59.3030, -20.15}) {
        SCOPED_TRACE(B);
        const CGaussProjection p = Forward(kWgs84, 6, B, 111.0);
        EXPECT_EQ(p.m_Y, 19500000.0);
        EXPECT_EQ(p.m_X, MeridianArcLength(wgs84, PackedToDegrees(B) * pi * (1.0 / 180.0)));
    }
}

TEST(BLToXY, EastAndWestOfTheCentralMeridianAreSymmetric) {
    // 111° ± 1°30'20.5"
    const CGaussProjection east = Forward(kWgs84, 6, 35.1234, 112.30205);
    const CGaussProjection west = Forward(kWgs84, 6, 35.1234, 109.29395);
    ASSERT_EQ(east.m_nZone, west.m_nZone);
    EXPECT_NEAR(east.m_X, west.m_X, 1e-8);
    EXPECT_NEAR(east.m_Y - 19500000.0, 19500000.0 - west.m_Y, 1e-8);
}

TEST(BLToXY, SouthernPointsMirrorNorthernOnes) {
    const CGaussProjection north = Forward(kWgs84, 6, 30.3015, 114.2030);
    const CGaussProjection south = Forward(kWgs84, 6, -30.3015, 114.2030);
    EXPECT_NEAR(south.m_X, -north.m_X, 1e-8);
    EXPECT_NEAR(south.m_Y, north.m_Y, 1e-8);
}

TEST(XYToBL, OriginAndCentralMeridianAreExact) {
    const CGaussProjection origin = Inverse(kWgs84, 6, 0.0, 19500000.0);
    EXPECT_EQ(origin.m_B, 0.0);
    EXPECT_EQ(origin.m_L, 111.0);
    for (const double X : {1.0, 3386902.25, 6.5e6}) {
        SCOPED_TRACE(X);
        const CGaussProjection p = Inverse(kWgs84, 3, X, 38500000.0);
        EXPECT_EQ(p.m_L, 114.0);
        const double Bf = FootpointLatitude(Ellipsoid(kWgs84.a, kWgs84.f), X);
        EXPECT_EQ(p.m_B, DegreesToPacked(Bf * 180.0 / std::acos(-1.0)));
    }
}

TEST(XYToBL, SouthernPointsHaveEveryPartNegative) {
    const CGaussProjection p = Inverse(kWgs84, 6, -3386902.25, 18399692.74);
    const PackedParts parts = SplitPacked(p.m_B);
    EXPECT_LT(parts.D, 0);
    EXPECT_LT(parts.M, 0);
    EXPECT_LT(parts.S, 0);
    EXPECT_NEAR(p.m_B, -30.3553774691, 5e-11);
}

TEST(XYToBL, ReturnsTheForwardInputWithinTolerance) {
    // Round trips up to 3° from the central meridian and 60° of latitude, both ellipsoid shapes
    // and a sphere: B within 1e-6" and L within 3e-5".
    const FormEllipsoid sphere{"sphere", 6371000.0, 0.0};
    for (const FormEllipsoid* e : {&kWgs84, &kBeijing54, &sphere}) {
        for (double Bdeg = -60.0; Bdeg <= 60.0; Bdeg += 7.5) {
            for (double dl = -2.99; dl <= 3.0; dl += 0.37) {
                SCOPED_TRACE(testing::Message() << e->name << " " << Bdeg << " " << dl);
                CGaussProjection p;
                const double B = DegreesToPacked(Bdeg);
                const double L = DegreesToPacked(111.0 + dl);
                p.SetAll(6, e->a, e->f, B, L, 0, 0);
                p.m_nZone = 19;
                p.m_L0 = 111.0;
                p.BLToXY();
                p.XYToBL();
                EXPECT_NEAR(PackedToDegrees(p.m_B), Bdeg, 1e-6 / 3600.0);
                EXPECT_NEAR(PackedToDegrees(p.m_L), 111.0 + dl, 3e-5 / 3600.0);
            }
        }
    }
}

} // namespace
