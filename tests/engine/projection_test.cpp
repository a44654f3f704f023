// Forward and inverse projection: worked examples, exact values, symmetry and round trips.
#include <cmath>

#include <gtest/gtest.h>

#include "ellipsoids.h"
#include "gauss_projection.h"
#include "packed_angle.h"
#include "series_method.h"

namespace {

constexpr double kTenthMm = 5e-5; // results are given to 0.1 mm

CGaussProjection Forward(const FormEllipsoid& e, int w, double B, double L) {
    CGaussProjection p;
    p.SetAll(w, e.a, e.f, B, L, 0.0, 0.0);
    p.ZoneFromL();
    p.BLToXY();
    return p;
}

CGaussProjection Inverse(const FormEllipsoid& e, int w, double X, double Y) {
    CGaussProjection p;
    p.SetAll(w, e.a, e.f, 0.0, 0.0, X, Y);
    p.ZoneFromY();
    p.XYToBL();
    return p;
}

TEST(BLToXY, WorkedExamples) {
    struct Case {
        const FormEllipsoid& e;
        double B, L;
        int w, zone;
        double L0, X, Y;
    };
    const Case cases[] = {
        {kWgs84, 31.41416832, 111.47248974, 6, 19, 111, 3508294.4784, 19574920.4101},
        {kWgs84, 31.41416832, 111.47248974, 3, 37, 111, 3508294.4784, 37574920.4101},
        {kWgs84, 30.3015, 114.2030, 6, 19, 111, 3380756.7150, 19820871.5419},
        {kWgs84, 30.3015, 114.2030, 3, 38, 114, 3376053.2931, 38532798.3303},
        {kWgs84, 45.0, 108.0, 6, 18, 105, 4989325.2348, 18736540.6424},
        {kXian80, 31.41416832, 111.47248974, 6, 19, 111, 3508296.1134, 19574920.4454},
        {kXian80, 30.3015, 114.2030, 3, 38, 114, 3376054.8663, 38532798.3458},
        {kBeijing54, 31.41416832, 111.47248974, 6, 19, 111, 3508356.7837, 19574921.6688},
        {kBeijing54, 30.3015, 114.2030, 3, 38, 114, 3376113.2826, 38532798.8816},
        {kBeijing54, 45.0, 108.0, 3, 36, 108, 4985032.2905, 36500000.0000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.e.name << " " << c.B << " " << c.L << " w" << c.w);
        const CGaussProjection p = Forward(c.e, c.w, c.B, c.L);
        EXPECT_EQ(p.m_nZone, c.zone);
        EXPECT_EQ(p.m_L0, c.L0);
        EXPECT_NEAR(p.m_X, c.X, kTenthMm);
        EXPECT_NEAR(p.m_Y, c.Y, kTenthMm);
        EXPECT_EQ(p.m_B, c.B); // inputs untouched
        EXPECT_EQ(p.m_L, c.L);
    }
}

TEST(BLToXY, CentralMeridianGivesTheMeridianArcExactly) {
    const double pi = std::acos(-1.0);
    const MeridianArc arc(kWgs84.a, kWgs84.f);
    for (const double B : {0.0, 30.0, 45.0, 59.3030, -20.15}) {
        SCOPED_TRACE(B);
        const CGaussProjection p = Forward(kWgs84, 6, B, 111.0);
        EXPECT_EQ(p.m_Y, 19500000.0);
        EXPECT_EQ(p.m_X, arc.Length(PackedToDegrees(B) * pi * (1.0 / 180.0)));
    }
    EXPECT_EQ(Forward(kWgs84, 6, 0.0, 111.0).m_X, 0.0);
    EXPECT_NEAR(Forward(kWgs84, 6, 30.0, 111.0).m_X, 3320113.3979, kTenthMm);
    EXPECT_NEAR(Forward(kWgs84, 6, 45.0, 111.0).m_X, 4984944.3780, kTenthMm);
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

TEST(XYToBL, WorkedExamples) {
    struct Case {
        const FormEllipsoid& e;
        int w, zone;
        double L0, B, L, Bdeg, Ldeg;
    };
    const Case cases[] = {
        {kWgs84, 6, 18, 105, 30.3553774691, 103.5714746507, 30.5982707474, 103.9540962521},
        {kWgs84, 3, 18, 54, 30.3553774691, 52.5714746507, 30.5982707474, 52.9540962521},
        {kXian80, 6, 18, 105, 30.3553723463, 103.5714748831, 30.5982565176, 103.9540968975},
        {kBeijing54, 6, 18, 105, 30.3551821379, 103.5714830774, 30.5977281609, 103.9541196594},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.e.name << " w" << c.w);
        const CGaussProjection p = Inverse(c.e, c.w, 3386902.25, 18399692.74);
        EXPECT_EQ(p.m_nZone, c.zone);
        EXPECT_EQ(p.m_L0, c.L0);
        EXPECT_NEAR(p.m_B, c.B, 5e-11);
        EXPECT_NEAR(p.m_L, c.L, 5e-11);
        EXPECT_NEAR(PackedToDegrees(p.m_B), c.Bdeg, 5e-11);
        EXPECT_NEAR(PackedToDegrees(p.m_L), c.Ldeg, 5e-11);
        EXPECT_EQ(p.m_X, 3386902.25); // inputs untouched
        EXPECT_EQ(p.m_Y, 18399692.74);
    }
}

TEST(XYToBL, OriginAndCentralMeridianAreExact) {
    const CGaussProjection origin = Inverse(kWgs84, 6, 0.0, 19500000.0);
    EXPECT_EQ(origin.m_B, 0.0);
    EXPECT_EQ(origin.m_L, 111.0);
    for (const double X : {1.0, 3386902.25, 6.5e6}) {
        SCOPED_TRACE(X);
        const CGaussProjection p = Inverse(kWgs84, 3, X, 38500000.0);
        EXPECT_EQ(p.m_L, 114.0);
        const double Bf = FootpointLatitude(kWgs84.a, kWgs84.f, X);
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

TEST(XYToBL, ThreeDegreeExampleComesBack) {
    const CGaussProjection p = Inverse(kWgs84, 3, 3376053.2931, 38532798.3303);
    EXPECT_NEAR(p.m_B, 30.3015000001, 5e-11);
    EXPECT_NEAR(p.m_L, 114.2029999999, 5e-11);
}

} // namespace
