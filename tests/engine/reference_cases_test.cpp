// Runs every case of tests/data/reference.cases through the engine's core: Projection for
// forward and inverse, the zone transforms for adjacent, 3to6 and 6to3.
#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "engine/epsg_crs.h"
#include "engine/gauss_projection.h"
#include "engine/packed_angle.h"
#include "engine/zone_transform.h"
#include "tests/support/case_file.h"

namespace {

Ellipsoid EllipsoidOf(const cases::Settings& s) {
    if (s.ellipsoidKey.empty()) {
        return Ellipsoid(s.a, 1.0 / s.alfa);
    }
    const EllipsoidPreset* preset = FindEllipsoidPreset(s.ellipsoidKey);
    if (preset == nullptr) {
        throw std::runtime_error("unknown ellipsoid " + s.ellipsoidKey);
    }
    return preset->ellipsoid();
}

ZoneSystem SystemOf(int width, const std::string& rule = "form") {
    return (width == 3 ? ZoneSystem::Three() : ZoneSystem::Six()).WithRule(*ZoneRuleByName(rule));
}

// The projection a forward (from longitude lon) or inverse (from easting y) case runs in, and
// the zone it chose when the zone rule or the easting chose one.
struct Chosen {
    Projection projection;
    std::optional<int> zone;
};

Chosen ProjectionOf(const cases::Settings& s, double lon, double y) {
    if (s.crs != 0) {
        const EpsgCrs* crs = FindEpsgCrs(s.crs);
        if (crs == nullptr) {
            throw std::invalid_argument("no such code in the table");
        }
        const Projection projection(crs->Params(*MethodByName(s.method)));
        return {projection, crs->prefix ? std::optional<int>(crs->zone) : std::nullopt};
    }
    const ZoneSystem system = SystemOf(s.width, s.zoneRule);
    std::optional<int> zone = s.zone;
    if (!zone && !s.centralMeridian) {
        zone = s.operation == "forward" ? system.ZoneOfLongitude(lon).number
                                        : system.ZoneOfEasting(y).number;
    }
    const double centralMeridian = zone ? system.CentralMeridian(*zone) : *s.centralMeridian;
    const Projection projection({EllipsoidOf(s), centralMeridian, s.k0, s.falseEasting,
                                 s.falseNorthing, zone, *MethodByName(s.method)});
    return {projection, zone};
}

double Degrees(const cases::Settings& s, double angle) {
    return s.packed ? PackedToDegrees(angle) : angle;
}

// Runs the case's operation on (a, b); the result in metres or degrees, and the target zone.
struct Result {
    double out[2];
    std::optional<int> zone;
};

Result RunCase(const cases::Settings& s, double a, double b) {
    const Method method = *MethodByName(s.method);
    if (s.operation == "forward") {
        const double lat = Degrees(s, a);
        const double lon = Degrees(s, b);
        const Chosen chosen = ProjectionOf(s, lon, 0.0);
        const PlanePoint p = chosen.projection.Forward(lat, lon);
        return {{p.x, p.y}, chosen.zone};
    }
    if (s.operation == "inverse") {
        const Chosen chosen = ProjectionOf(s, 0.0, b);
        const GeoPoint g = chosen.projection.Inverse(a, b);
        return {{g.lat, g.lon}, chosen.zone};
    }
    if (s.crs != 0) {
        // The code's zone is the target of a change of system: inverse in the source zone,
        // forward in the code's projection.
        const EpsgCrs* crs = FindEpsgCrs(s.crs);
        const int width = s.operation == "3to6" ? 6 : 3;
        if (crs == nullptr || s.operation == "adjacent" || crs->zoneWidth != width) {
            throw std::invalid_argument("no target of this operation");
        }
        const ZoneSystem from = SystemOf(width == 6 ? 3 : 6);
        const Ellipsoid ellipsoid = crs->Preset().ellipsoid();
        const GeoPoint g =
            Projection::ForZone(ellipsoid, from, from.ZoneOfEasting(b).number, method)
                .Inverse(a, b);
        const PlanePoint p = Projection(crs->Params(method)).Forward(g.lat, g.lon);
        return {{p.x, p.y}, crs->prefix ? std::optional<int>(crs->zone) : std::nullopt};
    }
    const Ellipsoid ellipsoid = EllipsoidOf(s);
    ZonedPoint z{};
    if (s.operation == "adjacent") {
        z = ToAdjacentZone(ellipsoid, SystemOf(s.width), method, {a, b});
    } else if (s.operation == "3to6") {
        z = ToZoneSystem(ellipsoid, ZoneSystem::Three(), SystemOf(6, s.zoneRule), method, {a, b});
    } else if (s.operation == "6to3") {
        z = ToZoneSystem(ellipsoid, ZoneSystem::Six(), SystemOf(3, s.zoneRule), method, {a, b});
    } else {
        throw std::runtime_error("unknown operation " + s.operation);
    }
    return {{z.plane.x, z.plane.y}, z.zone.number};
}

TEST(ReferenceCases, TheCoreGivesEveryExpectedResult) {
    const std::vector<cases::Case> all = cases::Read();
    ASSERT_GT(all.size(), 40u);
    for (const cases::Case& c : all) {
        SCOPED_TRACE(c.Where());
        const cases::Settings& s = c.settings;
        switch (c.kind) {
        case cases::Case::Kind::Failure:
            EXPECT_THROW(RunCase(s, 30.0, 111.0), std::invalid_argument) << c.why;
            break;
        case cases::Case::Kind::Expect: {
            const Result r = RunCase(s, c.in[0], c.in[1]);
            const double want0 = s.AnglesOut() ? Degrees(s, c.out[0]) : c.out[0];
            const double want1 = s.AnglesOut() ? Degrees(s, c.out[1]) : c.out[1];
            EXPECT_NEAR(r.out[0], want0, c.tolerance);
            EXPECT_NEAR(r.out[1], want1, c.tolerance);
            if (c.zone) {
                EXPECT_EQ(r.zone, c.zone);
            }
            break;
        }
        case cases::Case::Kind::RoundTrip: {
            // There with the block's operation, back with its opposite, in the same projection.
            ASSERT_TRUE(s.operation == "forward" || s.operation == "inverse");
            cases::Settings back = s;
            back.operation = s.operation == "forward" ? "inverse" : "forward";
            const bool angles = s.AnglesIn();
            const Result there = RunCase(s, c.in[0], c.in[1]);
            back.packed = false;
            if (s.StandardZones() && there.zone) {
                back.zone = there.zone;
            }
            const Result home = RunCase(back, there.out[0], there.out[1]);
            EXPECT_NEAR(home.out[0], angles ? Degrees(s, c.in[0]) : c.in[0], c.tolerance);
            EXPECT_NEAR(home.out[1], angles ? Degrees(s, c.in[1]) : c.in[1], c.tolerance);
            break;
        }
        }
    }
}

// The desktop program's engine, run the way its form runs it, on every case it can express:
// the series in the standard zones, packed angles in and out.
TEST(ReferenceCases, TheFormsEngineGivesEveryExpectedResult) {
    int run = 0;
    for (const cases::Case& c : cases::Read()) {
        const cases::Settings& s = c.settings;
        if (c.kind != cases::Case::Kind::Expect || s.method != "series" || !s.StandardZones() ||
            !s.packed) {
            continue;
        }
        SCOPED_TRACE(c.Where());
        ++run;
        const Ellipsoid e = EllipsoidOf(s);
        CGaussProjection p;
        const bool forward = s.operation == "forward";
        p.SetAll(s.width, e.a(), e.f(), forward ? c.in[0] : 0.0, forward ? c.in[1] : 0.0,
                 forward ? 0.0 : c.in[0], forward ? 0.0 : c.in[1]);
        if (forward) {
            p.ZoneFromL();
            p.BLToXY();
        } else if (s.operation == "inverse") {
            p.ZoneFromY();
            p.XYToBL();
        } else if (s.operation == "adjacent") {
            s.width == 3 ? p.AdjacentZone3() : p.AdjacentZone6();
        } else {
            s.operation == "3to6" ? p.Zone3To6() : p.Zone6To3();
        }
        const double got[2] = {s.AnglesOut() ? PackedToDegrees(p.m_B) : p.m_X,
                               s.AnglesOut() ? PackedToDegrees(p.m_L) : p.m_Y};
        EXPECT_NEAR(got[0], s.AnglesOut() ? PackedToDegrees(c.out[0]) : c.out[0], c.tolerance);
        EXPECT_NEAR(got[1], s.AnglesOut() ? PackedToDegrees(c.out[1]) : c.out[1], c.tolerance);
        if (c.zone) {
            EXPECT_EQ(p.m_nZone, *c.zone);
            EXPECT_EQ(p.m_L0, SystemOf(p.m_nZoneWidth).CentralMeridian(*c.zone));
        }
    }
    EXPECT_GT(run, 25);
}

} // namespace
