// The two zone rules: the form's whole-degree rule and the standard national division.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "engine/ellipsoid.h"
#include "engine/zone_system.h"
#include "engine/zone_transform.h"

namespace {

const ZoneSystem kSixStandard = ZoneSystem::Six().WithRule(ZoneRule::Standard);
const ZoneSystem kThreeStandard = ZoneSystem::Three().WithRule(ZoneRule::Standard);

TEST(ZoneRule, StandardRuleTakesHalfAZoneEitherSideOfTheMeridian) {
    struct Case {
        double L;
        int six, three;
    };
    const Case cases[] = {
        {114.5, 20, 38}, // 114°30′E: the whole-degree rule says 19 and 38
        {114.0, 20, 38},      {113.999999, 19, 38}, {112.5, 19, 38},  {112.499999, 19, 37},
        {115.499999, 20, 38}, {115.5, 20, 39},      {117.0, 20, 39},  {119.999999, 20, 40},
        {120.0, 21, 40},      {0.0, 1, 0},          {1.499999, 1, 0}, {1.5, 1, 1},
        {5.999999, 1, 2},     {6.0, 2, 2},          {358.5, 60, 120}, {359.999999, 60, 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.L);
        const Zone six = kSixStandard.ZoneOfLongitude(c.L);
        EXPECT_EQ(six.number, c.six);
        EXPECT_EQ(six.centralMeridian, 6.0 * c.six - 3.0);
        const Zone three = kThreeStandard.ZoneOfLongitude(c.L);
        EXPECT_EQ(three.number, c.three);
        EXPECT_EQ(three.centralMeridian, 3.0 * c.three);
    }
}

TEST(ZoneRule, WholeDegreeRuleStaysTheDefault) {
    EXPECT_EQ(ZoneSystem::Six().Rule(), ZoneRule::WholeDegree);
    EXPECT_EQ(ZoneSystem::OfWidth(3)->Rule(), ZoneRule::WholeDegree);
    // 114°30′E and 113°00′E (3°), 114°E (6°): where the two rules part.
    EXPECT_EQ(ZoneSystem::Six().ZoneOfLongitude(114.5).number, 19);
    EXPECT_EQ(ZoneSystem::Six().ZoneOfLongitude(114.0).number, 19);
    EXPECT_EQ(ZoneSystem::Three().ZoneOfLongitude(112.5).number, 37);
    EXPECT_EQ(ZoneSystem::Three().ZoneOfLongitude(115.75).number, 38);
    EXPECT_EQ(kThreeStandard.ZoneOfLongitude(115.75).number, 39);
}

TEST(ZoneRule, EveryLongitudeLiesWithinHalfAZoneOfItsStandardMeridian) {
    for (double L = 1.5; L < 360.0; L += 0.125) {
        SCOPED_TRACE(L);
        for (const ZoneSystem system : {kSixStandard, kThreeStandard}) {
            const Zone zone = system.ZoneOfLongitude(L);
            const double half = system.Width() / 2.0;
            EXPECT_GE(L - zone.centralMeridian, -half);
            EXPECT_LT(L - zone.centralMeridian, half);
            EXPECT_TRUE(system.Exists(zone.number));
        }
    }
}

TEST(ZoneRule, LongitudesWithoutAZoneGiveZoneZero) {
    for (const double L : {std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(), 1e300, -1e300}) {
        SCOPED_TRACE(L);
        EXPECT_EQ(kSixStandard.ZoneOfLongitude(L).number, 0);
        EXPECT_EQ(kThreeStandard.ZoneOfLongitude(L).number, 0);
    }
}

TEST(ZoneRule, ByName) {
    EXPECT_EQ(ZoneRuleByName("form"), ZoneRule::WholeDegree);
    EXPECT_EQ(ZoneRuleByName("standard"), ZoneRule::Standard);
    EXPECT_FALSE(ZoneRuleByName("Standard"));
    EXPECT_FALSE(ZoneRuleByName(""));
}

TEST(ZoneRule, ZoneSystemChangeFollowsTheTargetsRule) {
    // 30°30′15″N 114°30′E in 3° zone 38 (WGS1984): into 6° zone 19 by the form's rule, 20 by
    // the standard one.
    const Ellipsoid wgs = Wgs1984().ellipsoid();
    const PlanePoint in =
        Projection::ForZone(wgs, ZoneSystem::Three(), 38).Forward(30.504166666666666, 114.5);
    const ZonedPoint form =
        ToZoneSystem(wgs, ZoneSystem::Three(), ZoneSystem::Six(), Method::Series, in);
    const ZonedPoint standard =
        ToZoneSystem(wgs, ZoneSystem::Three(), kSixStandard, Method::Series, in);
    EXPECT_EQ(form.zone.number, 19);
    EXPECT_EQ(standard.zone.number, 20);
    EXPECT_EQ(std::floor(standard.plane.y / 1e6), 20.0);
    // 114°30′E lies 2.5° west of 117°: the easting is below the false easting.
    EXPECT_LT(standard.plane.y, 20500000.0);
    EXPECT_GT(form.plane.y, 19500000.0);
}

TEST(ZoneRule, PackedCarryChoosesTheStandardZoneFromDegrees) {
    // 112°30′10″E lies in 3° zone 38 by the standard rule; as a packed angle it reads 112.3010,
    // which the rule would put in zone 37.
    const Ellipsoid wgs = Wgs1984().ellipsoid();
    const double lon = 112.0 + 30.0 / 60.0 + 10.0 / 3600.0;
    const PlanePoint in = Projection::ForZone(wgs, ZoneSystem::Six(), 19).Forward(30.5, lon);
    for (const ZoneCarry carry : {ZoneCarry::Degrees, ZoneCarry::PackedAngles}) {
        const ZonedPoint to =
            ToZoneSystem(wgs, ZoneSystem::Six(), kThreeStandard, Method::Series, in, carry);
        EXPECT_EQ(to.zone.number, 38);
    }
}

} // namespace
