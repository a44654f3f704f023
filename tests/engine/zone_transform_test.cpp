// Zone transforms: into the neighbouring zone and between the 3° and 6° systems.
#include <gtest/gtest.h>

#include "engine/gauss_projection.h"
#include "tests/engine/ellipsoids.h"

namespace {

enum class Op { Adjacent3, Adjacent6, ThreeToSix, SixToThree };

CGaussProjection Transform(Op op, double X, double Y) {
    CGaussProjection p;
    // The width given here must not matter: each transform sets its own.
    p.SetAll(op == Op::Adjacent3 || op == Op::ThreeToSix ? 6 : 3, kWgs84.a, kWgs84.f, 0, 0, X, Y);
    switch (op) {
    case Op::Adjacent3:
        p.AdjacentZone3();
        break;
    case Op::Adjacent6:
        p.AdjacentZone6();
        break;
    case Op::ThreeToSix:
        p.Zone3To6();
        break;
    case Op::SixToThree:
        p.Zone6To3();
        break;
    }
    return p;
}

TEST(ZoneTransforms, AdjacentSixFollowsThePointsSide) {
    struct Case {
        double L;
        int zone;
        double L0;
    };
    const Case cases[] = {{111.0, 20, 117},
                          {111.0001, 20, 117},
                          {113.5959, 20, 117},
                          {110.5959, 18, 105},
                          {109.0, 18, 105}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.L);
        CGaussProjection p;
        p.SetAll(6, kWgs84.a, kWgs84.f, 35.0, c.L, 0, 0);
        p.ZoneFromL();
        ASSERT_EQ(p.m_nZone, 19);
        p.BLToXY();
        p.AdjacentZone6();
        EXPECT_EQ(p.m_nZone, c.zone);
        EXPECT_EQ(p.m_L0, c.L0);
    }
}

TEST(ZoneTransforms, ThreeToSixOnASharedMeridianChangesOnlyThePrefix) {
    const CGaussProjection p = Transform(Op::ThreeToSix, 3508294.4784, 37574920.4101);
    EXPECT_EQ(p.m_nZone, 19);
    EXPECT_NEAR(p.m_X, 3508294.4784, 1e-6);
    EXPECT_NEAR(p.m_Y, 19574920.4101, 1e-6);
}

TEST(ZoneTransforms, ThreeToSixAndBackReturnsWithinAMillimetre) {
    for (double B = 10.0; B <= 60.0; B += 12.5) {
        for (const double L : {109.25, 110.42, 111.3, 112.35, 113.4, 113.5959}) {
            SCOPED_TRACE(testing::Message() << B << " " << L);
            CGaussProjection start;
            start.SetAll(3, kWgs84.a, kWgs84.f, B, L, 0, 0);
            start.ZoneFromL();
            start.BLToXY();
            CGaussProjection p = start;
            p.Zone3To6();
            EXPECT_EQ(p.m_nZoneWidth, 6);
            p.Zone6To3();
            EXPECT_EQ(p.m_nZoneWidth, 3);
            EXPECT_EQ(p.m_nZone, start.m_nZone);
            EXPECT_NEAR(p.m_X, start.m_X, 1e-3);
            EXPECT_NEAR(p.m_Y, start.m_Y, 1e-3);
        }
    }
}

} // namespace
