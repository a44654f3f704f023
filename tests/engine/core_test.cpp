// The engine's core values: the ellipsoid's check and presets, the zone system, and what the
// projection's parameters do to its results.
#include <cmath>
#include <limits>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gauss_projection.h"
#include "engine/packed_angle.h"
#include "engine/projection.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Ellipsoid, RefusesWhatDescribesNoEllipsoid) {
    struct Case {
        double a, f;
        bool ok;
    };
    const Case cases[] = {
        {6378137.0, 1.0 / 298.3, true},
        {6371000.0, 0.0, true},
        {1.0, 0.999, true},
        {0.0, 0.003, false},
        {-6378137.0, 0.003, false},
        {kInf, 0.003, false},
        {kNaN, 0.003, false},
        {6378137.0, -0.001, false},
        {6378137.0, 1.0, false},
        {6378137.0, kInf, false},
        {6378137.0, kNaN, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.f);
        EXPECT_EQ(static_cast<bool>(Ellipsoid::Check(c.a, c.f)), c.ok);
        if (c.ok) {
            EXPECT_NO_THROW(Ellipsoid(c.a, c.f));
        } else {
            EXPECT_THROW(Ellipsoid(c.a, c.f), std::invalid_argument);
        }
    }
}

TEST(Ellipsoid, DerivedQuantitiesOfThePresets) {
    struct Case {
        const char* key;
        double b, e2, ep2, n;
    };
    const Case cases[] = {
        {"wgs84", 6356752.314245, 0.00669437999012999, 0.00673949674226495, 0.00167922038638088},
        {"xian80", 6356755.288158, 0.00669438499958797, 0.00673950181947295, 0.00167922164718210},
        {"beijing54", 6356863.018773, 0.00669342162296586, 0.00673852541468341,
         0.00167897918065816},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const Ellipsoid e = FindEllipsoidPreset(c.key)->ellipsoid();
        EXPECT_NEAR(e.b(), c.b, 5e-7);
        EXPECT_NEAR(e.e2(), c.e2, 5e-18);
        EXPECT_NEAR(e.ep2(), c.ep2, 5e-18);
        EXPECT_NEAR(e.n(), c.n, 1e-17);
        EXPECT_NEAR(e.n(), (e.a() - e.b()) / (e.a() + e.b()), 1e-16);
    }
    const Ellipsoid sphere(6371000.0, 0.0);
    EXPECT_EQ(sphere.e2(), 0.0);
    EXPECT_EQ(sphere.ep2(), 0.0);
    EXPECT_EQ(sphere.n(), 0.0);
}

TEST(EllipsoidPresets, OneTableByKey) {
    struct Case {
        const char* key;
        double a, alfa;
    };
    const Case cases[] = {{"wgs84", 6378137.0, 298.2572235635},
                          {"xian80", 6378140.0, 298.257},
                          {"beijing54", 6378245.0, 298.3},
                          {"cgcs2000", 6378137.0, 298.257222101}};
    ASSERT_EQ(EllipsoidPresets().size(), std::size(cases));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const EllipsoidPreset* p = FindEllipsoidPreset(c.key);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->a, c.a);
        EXPECT_EQ(p->alfa, c.alfa);
        EXPECT_EQ(p->f(), 1.0 / c.alfa);
    }
    EXPECT_EQ(FindEllipsoidPreset("grs80"), nullptr);
    EXPECT_EQ(&Cgcs2000(), FindEllipsoidPreset("cgcs2000"));
}

TEST(ZoneSystem, ZonesThatExistAndTheirCentralMeridians) {
    struct Case {
        int width, zone;
        bool exists;
        double cm;
    };
    const Case cases[] = {{6, 1, true, 3},     {6, 60, true, 357},   {6, 0, false, -3},
                          {6, 61, false, 363}, {6, 19, true, 111},   {3, 1, true, 3},
                          {3, 120, true, 360}, {3, 121, false, 363}, {3, 0, false, 0},
                          {3, 38, true, 114}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "° zone " << c.zone);
        const ZoneSystem system = *ZoneSystem::OfWidth(c.width);
        EXPECT_EQ(system.Exists(c.zone), c.exists);
        EXPECT_EQ(system.CentralMeridian(c.zone), c.cm);
    }
    EXPECT_FALSE(ZoneSystem::OfWidth(4).has_value());
}

TEST(ZoneSystem, DecimalAndPackedLongitudesFallInTheFormsZones) {
    // The whole-degree rule reads only whole degrees, so a longitude in decimal degrees and the
    // same longitude packed pick the zone the form's engine picks.
    for (const int width : {3, 6}) {
        const ZoneSystem system = *ZoneSystem::OfWidth(width);
        for (double lon = -7.0; lon <= 367.0; lon += 0.37) {
            SCOPED_TRACE(testing::Message() << width << "° " << lon);
            CGaussProjection p;
            p.SetAll(width, 6378137.0, 0.003, 0.0, DegreesToPacked(lon), 0.0, 0.0);
            p.ZoneFromL();
            const Zone decimal = system.ZoneOfLongitude(lon);
            const Zone packed = system.ZoneOfLongitude(DegreesToPacked(lon));
            EXPECT_EQ(decimal.number, p.m_nZone);
            EXPECT_EQ(decimal.centralMeridian, p.m_L0);
            EXPECT_EQ(packed.number, p.m_nZone);
        }
    }
    EXPECT_EQ(ZoneSystem::Six().ZoneOfLongitude(114.99).number, 19);
    EXPECT_EQ(ZoneSystem::Six().ZoneOfLongitude(115.0).number, 20);
    EXPECT_EQ(ZoneSystem::Three().ZoneOfLongitude(112.99).number, 37);
    EXPECT_EQ(ZoneSystem::Six().ZoneOfEasting(18399692.74).centralMeridian, 105.0);
}

TEST(Projection, SeriesInAStandardZoneGivesTheFormsBits) {
    const EllipsoidPreset& preset = Xian1980();
    const Projection projection = Projection::ForZone(preset.ellipsoid(), ZoneSystem::Six(), 19);
    for (double lat = -80.0; lat <= 80.0; lat += 9.7) {
        for (double lon = 108.1; lon <= 115.0; lon += 0.61) {
            SCOPED_TRACE(testing::Message() << lat << " " << lon);
            const PlanePoint p = projection.Forward(lat, lon);
            // The form's engine on the same angles (taken back from packed, as it reads them).
            CGaussProjection form;
            form.SetAll(6, preset.a, preset.f(), DegreesToPacked(lat), DegreesToPacked(lon), 0, 0);
            form.m_nZone = 19;
            form.m_L0 = 111.0;
            form.BLToXY();
            const PlanePoint q =
                projection.Forward(PackedToDegrees(form.m_B), PackedToDegrees(form.m_L));
            EXPECT_EQ(q.x, form.m_X);
            EXPECT_EQ(q.y, form.m_Y);
            EXPECT_NEAR(p.x, q.x, 1e-6);

            form.XYToBL();
            const GeoPoint g = projection.Inverse(form.m_X, form.m_Y);
            // Apart from the packed form's rounding, some 1e-12°.
            EXPECT_NEAR(g.lat, PackedToDegrees(form.m_B), 1e-11);
            EXPECT_NEAR(g.lon, PackedToDegrees(form.m_L), 1e-11);
        }
    }
}

TEST(Projection, ScaleAndFalseOriginApplyToBothDirections) {
    const Ellipsoid e = Cgcs2000().ellipsoid();
    for (const Method method : {Method::Series, Method::Krueger}) {
        SCOPED_TRACE(static_cast<int>(method));
        const Projection plain({e, 114.5, 1.0, 0.0, 0.0, std::nullopt, method});
        const Projection shifted({e, 114.5, 0.9996, 300000.0, -2000000.0, 38, method});
        const PlanePoint p = plain.Forward(31.2, 112.1);
        const PlanePoint q = shifted.Forward(31.2, 112.1);
        EXPECT_NEAR(q.x, p.x * 0.9996 - 2000000.0, 1e-8);
        EXPECT_NEAR(q.y, p.y * 0.9996 + 38000000.0 + 300000.0, 1e-8);
        const GeoPoint g = shifted.Inverse(q.x, q.y);
        // The series' own round trip 2.4° out is some 1e-9°.
        EXPECT_NEAR(g.lat, 31.2, 2e-9);
        EXPECT_NEAR(g.lon, 112.1, 2e-9);
    }
}

TEST(Projection, RefusesParametersThatDescribeNoProjection) {
    const Ellipsoid e = Wgs1984().ellipsoid();
    struct Case {
        double cm, k0, fe, fn;
    };
    const Case cases[] = {{kNaN, 1, 0, 0},   {kInf, 1, 0, 0},   {111, 0, 0, 0},   {111, -1, 0, 0},
                          {111, kNaN, 0, 0}, {111, 1, kInf, 0}, {111, 1, 0, kNaN}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cm << " " << c.k0 << " " << c.fe << " " << c.fn);
        EXPECT_THROW(Projection({e, c.cm, c.k0, c.fe, c.fn, std::nullopt, Method::Krueger}),
                     std::invalid_argument);
    }
    EXPECT_EQ(MethodByName("krueger"), Method::Krueger);
    EXPECT_EQ(MethodByName("exact"), std::nullopt);
}

TEST(Projection, NonNumbersComeOutAsNonNumbers) {
    // Neither method may take a NaN or an infinity for a small argument and answer a number.
    for (const Method method : {Method::Series, Method::Krueger}) {
        const Projection projection =
            Projection::ForZone(Wgs1984().ellipsoid(), ZoneSystem::Six(), 19, method);
        for (const double v : {kNaN, kInf, -kInf}) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(method) << " " << v);
            const PlanePoint p = projection.Forward(30.0, v);
            EXPECT_FALSE(std::isfinite(p.x) && std::isfinite(p.y));
            const PlanePoint q = projection.Forward(v, 111.0);
            EXPECT_FALSE(std::isfinite(q.x) && std::isfinite(q.y));
            const GeoPoint g = projection.Inverse(3e6, v);
            EXPECT_FALSE(std::isfinite(g.lat) && std::isfinite(g.lon));
            const GeoPoint h = projection.Inverse(v, 19500000.0);
            EXPECT_FALSE(std::isfinite(h.lat) && std::isfinite(h.lon));
        }
    }
}

TEST(Projection, ManyThreadsGetTheSameResultsAsOne) {
    const Projection projection =
        Projection::ForZone(Wgs1984().ellipsoid(), ZoneSystem::Three(), 38, Method::Krueger);
    std::vector<PlanePoint> expected;
    for (int i = 0; i < 2000; ++i) {
        expected.push_back(projection.Forward(20.0 + i * 0.01, 112.5 + i * 0.001));
    }
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                const PlanePoint p = projection.Forward(20.0 + i * 0.01, 112.5 + i * 0.001);
                mismatches[t] += p.x != expected[i].x || p.y != expected[i].y;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

} // namespace
