// Zone transforms: into the neighbouring zone and between the 3° and 6° systems.
#include <gtest/gtest.h>

#include "engine/gauss_projection.h"
#include "tests/engine/form_engine.h"

namespace {

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
        CGaussProjection p = Forward(kWgs84, 6, 35.0, c.L);
        ASSERT_EQ(p.m_nZone, 19);
        p.AdjacentZone6();
        EXPECT_EQ(p.m_nZone, c.zone);
        EXPECT_EQ(p.m_L0, c.L0);
    }
}

TEST(ZoneTransforms, ThreeToSixOnASharedMeridianChangesOnlyThePrefix) {
    CGaussProjection p;
    // The width given here must not matter: the transform sets its own.
    p.SetAll(6, kWgs84.a, kWgs84.f, 0, 0, 3508294.4784, 37574920.4101);
    p.Zone3To6();
    EXPECT_EQ(p.m_nZone, 19);
    EXPECT_NEAR(p.m_X, 3508294.4784, 1e-6);
    EXPECT_NEAR(p.m_Y, 19574920.4101, 1e-6);
}

TEST(ZoneTransforms, ThreeToSixAndBackReturnsWithinAMillimetre) {
    for (double B = 10.0; B <= 60.0; B += 12.5) {
        for (const double L : {109.25, 110.42, 111.3, 112.35, 113.4, 113.5959}) {
            SCOPED_TRACE(testing::Message() << B << " " << L);
            const CGaussProjection start = Forward(kWgs84, 3, B, L);
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
