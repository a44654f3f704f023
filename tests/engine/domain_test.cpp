// The core's domain: the longitude difference is taken modulo 360° into (-180°, 180°], a
// latitude beyond a pole gives NaN each way, and the zone transforms carry a point as packed
// angles when asked, as the desktop program does.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "engine/gauss_projection.h"
#include "engine/packed_angle.h"
#include "engine/projection.h"
#include "engine/series_method.h"
#include "engine/zone_transform.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kPi = std::acos(-1.0);

Projection About(double centralMeridian, Method method) {
    return Projection(
        {Wgs1984().ellipsoid(), centralMeridian, 1.0, 500000.0, 0.0, std::nullopt, method});
}

class Domain : public testing::TestWithParam<Method> {};

INSTANTIATE_TEST_SUITE_P(Methods, Domain, testing::Values(Method::Series, Method::Krueger),
                         [](const testing::TestParamInfo<Method>& info) {
                             return info.param == Method::Series ? "series" : "krueger";
                         });

TEST_P(Domain, ALongitudeWrittenAnotherTurnAroundGivesTheSamePoint) {
    struct Case {
        double centralMeridian, lat, lon, sameLon;
    };
    const Case cases[] = {
        {177.0, 30.0, -179.0, 181.0},  // east of 180° written west of Greenwich
        {-177.0, 30.0, 179.0, -181.0}, // and the other way round
        {3.0, 45.5, 361.5, 1.5},       // past a full turn
        {0.0, -12.25, 358.75, -1.25},  // a meridian at Greenwich, its western side near 360°
        {357.0, 60.0, 1.0, 361.0},     // the last 6° zone
        {114.0, 30.0, 114.5 + 720.0, 114.5},
        {10.0, 20.0, 10.0 - 180.0, 10.0 + 180.0}, // -180° is +180°
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.centralMeridian << " " << c.lon);
        const Projection p = About(c.centralMeridian, GetParam());
        const PlanePoint a = p.Forward(c.lat, c.lon);
        const PlanePoint b = p.Forward(c.lat, c.sameLon);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
    }
}

TEST_P(Domain, TheReportedPointAt181EastOfMeridian177LiesNearTheMeridian) {
    const Projection p = About(177.0, GetParam());
    const PlanePoint p1 = p.Forward(30.0, -179.0);
    // 4° east of the meridian at 30°N: about 386 km east, 3327 km north.
    EXPECT_NEAR(p1.x, 3326859.09081, 0.01);
    EXPECT_NEAR(p1.y, 886103.02397, 0.01);
}

TEST_P(Domain, ADifferenceWithinHalfATurnIsUsedAsItComes) {
    // 180° east stays east; only a difference past it is reduced.
    const Projection p = About(0.0, GetParam());
    const PlanePoint east = p.Forward(10.0, 180.0);
    const PlanePoint west = p.Forward(10.0, -180.0);
    EXPECT_EQ(east.x, west.x);
    EXPECT_EQ(east.y, west.y);
    const PlanePoint near = p.Forward(10.0, std::nextafter(180.0, 0.0));
    EXPECT_EQ(std::signbit(near.y - 500000.0), std::signbit(east.y - 500000.0));
}

TEST_P(Domain, ALatitudeBeyondAPoleGivesNaN) {
    const Projection p = About(111.0, GetParam());
    for (const double lat : {90.000001, -90.000001, 95.0, -180.0, 1e300, kInf, -kInf, kNaN}) {
        SCOPED_TRACE(lat);
        const PlanePoint out = p.Forward(lat, 112.0);
        EXPECT_TRUE(std::isnan(out.x));
        EXPECT_TRUE(std::isnan(out.y));
    }
    for (const double lat : {90.0, -90.0, 89.999999}) {
        SCOPED_TRACE(lat);
        const PlanePoint out = p.Forward(lat, 112.0);
        EXPECT_TRUE(std::isfinite(out.x));
    }
}

TEST(InverseDomain, ALatitudeBeyondAPoleGivesNaN) {
    // The series' footpoint runs past the pole for a northing beyond the quarter meridian.
    const Projection p = About(111.0, Method::Series);
    const double quarter = MeridianArcLength(Wgs1984().ellipsoid(), kPi / 2.0);
    for (const double x : {quarter + 10.0, -(quarter + 10.0), 1.2e7, 2e7}) {
        SCOPED_TRACE(x);
        const GeoPoint out = p.Inverse(x, 500000.0);
        EXPECT_TRUE(std::isnan(out.lat));
        EXPECT_TRUE(std::isnan(out.lon));
    }
    // A rounding step past the pole is the pole.
    const GeoPoint pole = p.Inverse(quarter + 1e-3, 500000.0);
    EXPECT_EQ(pole.lat, 90.0);
    const GeoPoint south = p.Inverse(-(quarter + 1e-3), 500000.0);
    EXPECT_EQ(south.lat, -90.0);
}

TEST(InverseDomain, ALongitudeKeepsItsZonesSide) {
    // A zone straddling 360° gives longitudes past it, not reduced, as the program writes them.
    const Projection p = Projection::ForZone(Wgs1984().ellipsoid(), ZoneSystem::Six(), 60);
    const GeoPoint out = p.Inverse(3320000.0, 60700000.0);
    EXPECT_GT(out.lon, 357.0);
    EXPECT_LT(out.lon, 360.0);
    const GeoPoint east = p.Inverse(3320000.0, 60900000.0);
    EXPECT_GT(east.lon, 360.0);
}

// The form carries a point between zones as packed angles; the core does so when asked, and
// gives then the form's very bits.
TEST(ZoneCarry, PackedAnglesGiveTheFormsBitsAndMoveThePointByLessThanAMicrometre) {
    struct Case {
        int operation; // 0 adjacent 3°, 1 adjacent 6°, 2 3° to 6°, 3 6° to 3°
        double x, y;
    };
    const Case cases[] = {
        {1, 3508294.4784, 19574920.4101}, {0, 3376053.2931, 38532798.3303},
        {0, 3508294.4784, 37574920.4101}, {2, 3376053.2931, 38532798.3303},
        {3, 3380756.7150, 19820871.5419}, {1, 3376960.5981, 19355999.7141},
        {1, -4123456.789, 50612345.678},  {3, 6543210.0, 7400000.0},
    };
    const Ellipsoid wgs84 = Wgs1984().ellipsoid();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.operation << " " << c.x << " " << c.y);
        const ZoneSystem from =
            c.operation == 1 || c.operation == 3 ? ZoneSystem::Six() : ZoneSystem::Three();
        const ZoneSystem to = c.operation == 2   ? ZoneSystem::Six()
                              : c.operation == 3 ? ZoneSystem::Three()
                                                 : from;
        auto run = [&](ZoneCarry carry) {
            return c.operation < 2
                       ? ToAdjacentZone(wgs84, from, Method::Series, {c.x, c.y}, carry)
                       : ToZoneSystem(wgs84, from, to, Method::Series, {c.x, c.y}, carry);
        };
        const ZonedPoint packed = run(ZoneCarry::PackedAngles);
        const ZonedPoint degrees = run(ZoneCarry::Degrees);

        CGaussProjection form;
        form.SetAll(from.Width(), Wgs1984().a, Wgs1984().f(), 0, 0, c.x, c.y);
        if (c.operation == 0) {
            form.AdjacentZone3();
        } else if (c.operation == 1) {
            form.AdjacentZone6();
        } else if (c.operation == 2) {
            form.Zone3To6();
        } else {
            form.Zone6To3();
        }
        EXPECT_EQ(packed.plane.x, form.m_X);
        EXPECT_EQ(packed.plane.y, form.m_Y);
        EXPECT_EQ(packed.zone.number, form.m_nZone);
        EXPECT_EQ(DegreesToPacked(packed.geo.lat), form.m_B);

        EXPECT_EQ(packed.zone.number, degrees.zone.number);
        EXPECT_NEAR(packed.plane.x, degrees.plane.x, 1e-6);
        EXPECT_NEAR(packed.plane.y, degrees.plane.y, 1e-6);
    }
}

} // namespace
