// Zone transforms: into the neighbouring zone and between the 3° and 6° systems.
#include <gtest/gtest.h>

#include "ellipsoids.h"
#include "gauss_projection.h"

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

TEST(ZoneTransforms, WorkedExamples) {
    struct Case {
        Op op;
        double X, Y;
        int width, zone;
        double L0, B, L, outX, outY, tolerance;
    };
    constexpr double t = 5e-5;
    const Case cases[] = {
        {Op::Adjacent6, 3508294.4784, 19574920.4101, 6, 20, 117, 31.4141683201, 111.4724897398,
         3519848.2121, 20005784.2053, t},
        {Op::Adjacent3, 3376053.2931, 38532798.3303, 3, 39, 117, 30.3015000001, 114.2029999999,
         3379010.4799, 39244769.0210, t},
        {Op::Adjacent3, 3508294.4784, 37574920.4101, 3, 38, 114, 31.4141683201, 111.4724897398,
         3510146.4149, 38290481.8250, t},
        {Op::ThreeToSix, 3376053.2931, 38532798.3303, 6, 19, 111, 30.3015000001, 114.2029999999,
         3380756.7150, 19820871.5419, t},
        {Op::SixToThree, 3380756.7150, 19820871.5419, 3, 38, 114, 30.3015000001, 114.2030000021,
         3376053.2931, 38532798.3309, t},
        // West of the central meridian: one zone west. The listed X is the direct projection of
        // 30°30'15" 109°30'; from the rounded input it comes out 0.03 mm higher.
        {Op::Adjacent6, 3376960.5981, 19355999.7141, 6, 18, 105, 30.3015000001, 109.2960000000,
         3384629.8962, 18932193.5722, 1e-4},
        // More than 500 km east of the new meridian carries into the millions.
        {Op::Adjacent6, 3376187.9539, 19436802.7210, 6, 18, 105, 30.3015000001, 110.2030000001,
         3388167.4467, 19013134.9947, t},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.op) << " " << c.X << " " << c.Y);
        const CGaussProjection p = Transform(c.op, c.X, c.Y);
        EXPECT_EQ(p.m_nZoneWidth, c.width);
        EXPECT_EQ(p.m_nZone, c.zone);
        EXPECT_EQ(p.m_L0, c.L0);
        EXPECT_NEAR(p.m_B, c.B, 5e-11);
        EXPECT_NEAR(p.m_L, c.L, 5e-11);
        EXPECT_NEAR(p.m_X, c.outX, c.tolerance);
        EXPECT_NEAR(p.m_Y, c.outY, c.tolerance);
    }
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
