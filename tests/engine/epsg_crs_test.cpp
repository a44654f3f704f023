// The EPSG table: what it holds, and the look-ups over it.
#include <set>

#include <gtest/gtest.h>

#include "engine/epsg_crs.h"

namespace {

TEST(EpsgCrs, HoldsExactlyTheCodesOfTheFourDatums) {
    struct Range {
        int first, last;
        EpsgDatum datum;
        bool deprecated;
    };
    const Range ranges[] = {
        {4491, 4554, EpsgDatum::Cgcs2000, false},
        {2327, 2390, EpsgDatum::Xian1980, false},
        {2401, 2442, EpsgDatum::Beijing1954, false},
        {21413, 21423, EpsgDatum::Beijing1954, false},
        {21453, 21463, EpsgDatum::Beijing1954, false},
        {21473, 21483, EpsgDatum::Beijing1954, true},
        {4568, 4589, EpsgDatum::NewBeijing, false},
        {4652, 4656, EpsgDatum::NewBeijing, false},
        {4766, 4800, EpsgDatum::NewBeijing, false},
        {4812, 4812, EpsgDatum::NewBeijing, false},
        {4822, 4822, EpsgDatum::NewBeijing, false},
    };
    std::size_t count = 0;
    for (const Range& r : ranges) {
        for (int code = r.first; code <= r.last; ++code) {
            SCOPED_TRACE(code);
            const EpsgCrs* crs = FindEpsgCrs(code);
            ASSERT_NE(crs, nullptr);
            EXPECT_EQ(crs->code, code);
            EXPECT_EQ(crs->datum, r.datum);
            EXPECT_EQ(crs->Deprecated(), r.deprecated);
            ++count;
        }
    }
    EXPECT_EQ(EpsgCrsTable().size(), count);
}

TEST(EpsgCrs, RowsAreSortedAndDescribeTheirZone) {
    int previous = 0;
    for (const EpsgCrs& crs : EpsgCrsTable()) {
        SCOPED_TRACE(crs.code);
        EXPECT_GT(crs.code, previous); // FindEpsgCrs searches by halves
        previous = crs.code;
        ASSERT_TRUE(crs.zoneWidth == 3 || crs.zoneWidth == 6);
        EXPECT_TRUE(crs.System().Exists(crs.zone));
        EXPECT_EQ(crs.centralMeridian, crs.System().CentralMeridian(crs.zone));
        EXPECT_EQ(crs.falseEasting, 500000.0);
        if (crs.Deprecated()) {
            const EpsgCrs* current = FindEpsgCrs(crs.replacedBy);
            ASSERT_NE(current, nullptr);
            EXPECT_FALSE(current->Deprecated());
            EXPECT_EQ(current->datum, crs.datum);
            EXPECT_EQ(current->zoneWidth, crs.zoneWidth);
            EXPECT_EQ(current->centralMeridian, crs.centralMeridian);
            EXPECT_EQ(current->prefix, crs.prefix);
        }
    }
}

TEST(EpsgCrs, WellKnownCodes) {
    struct Case {
        int code;
        const char* name;
        const char* ellipsoid;
        int width, zone;
        double centralMeridian;
        bool prefix;
    };
    const Case cases[] = {
        {4547, "CGCS2000 / 3-degree Gauss-Kruger CM 114E", "cgcs2000", 3, 38, 114.0, false},
        {4526, "CGCS2000 / 3-degree Gauss-Kruger zone 38", "cgcs2000", 3, 38, 114.0, true},
        {4498, "CGCS2000 / Gauss-Kruger zone 20", "cgcs2000", 6, 20, 117.0, true},
        {2345, "Xian 1980 / Gauss-Kruger CM 117E", "xian80", 6, 20, 117.0, false},
        {2401, "Beijing 1954 / 3-degree Gauss-Kruger zone 25", "beijing54", 3, 25, 75.0, true},
        {21413, "Beijing 1954 / Gauss-Kruger zone 13", "beijing54", 6, 13, 75.0, true},
        {21473, "Beijing 1954 / Gauss-Kruger 13N", "beijing54", 6, 13, 75.0, false},
        {4822, "New Beijing / 3-degree Gauss-Kruger CM 135E", "beijing54", 3, 45, 135.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const EpsgCrs* crs = FindEpsgCrs(c.code);
        ASSERT_NE(crs, nullptr);
        EXPECT_EQ(crs->Name(), c.name);
        EXPECT_EQ(crs->Preset().key, c.ellipsoid);
        EXPECT_EQ(crs->zoneWidth, c.width);
        EXPECT_EQ(crs->zone, c.zone);
        EXPECT_EQ(crs->centralMeridian, c.centralMeridian);
        EXPECT_EQ(crs->prefix, c.prefix);
    }
    EXPECT_EQ(FindEpsgCrs(21473)->replacedBy, 21453);
    EXPECT_EQ(FindEpsgCrs(4555), nullptr);
    EXPECT_EQ(FindEpsgCrs(4326), nullptr);
    EXPECT_EQ(FindEpsgCrs(0), nullptr);
    EXPECT_EQ(FindEpsgCrs(-4547), nullptr);
}

TEST(EpsgCrs, ProjectsWithItsZonesPrefix) {
    // The same point in 3° zone 38 with and without the zone in Y: only the millions differ.
    const PlanePoint with = Projection(FindEpsgCrs(4526)->Params()).Forward(30.5, 114.25);
    const PlanePoint without = Projection(FindEpsgCrs(4547)->Params()).Forward(30.5, 114.25);
    EXPECT_EQ(with.x, without.x);
    EXPECT_DOUBLE_EQ(with.y - without.y, 38000000.0);
    EXPECT_GT(without.y, 500000.0);
    EXPECT_LT(without.y, 600000.0);
}

TEST(EpsgCrs, ParsesCodes) {
    struct Case {
        const char* text;
        std::optional<int> code;
    };
    const Case cases[] = {
        {"EPSG:4547", 4547},
        {"epsg:4547", 4547},
        {"Epsg:21473", 21473},
        {"4547", 4547},
        {"EPSG:", {}},
        {"EPSG:45x7", {}},
        {"EPSG:-4547", {}},
        {"EPSG:1234567", {}},
        {" 4547", {}},
        {"EPSG:4547 ", {}},
        {"", {}},
        {"ESRI:102569", {}},
        {"EPSG::4547", {}},
        {"EPSG:999999", 999999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseEpsgCode(c.text), c.code);
    }
}

TEST(EpsgCrs, OffersTheNearestCurrentCodes) {
    struct Case {
        int code;
        std::vector<int> nearest;
    };
    const Case cases[] = {
        {4555, {4554, 4553, 4552}},     {4490, {4491, 4492, 4493}},
        {4561, {4554, 4568, 4553}},     // 4554 and 4568 are both 7 away: the lower first
        {21470, {21463, 21462, 21461}}, // the deprecated 21473 is nearer but not offered
        {0, {2327, 2328, 2329}},        {999999, {21463, 21462, 21461}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(NearestEpsgCodes(c.code), c.nearest);
    }
    EXPECT_EQ(NearestEpsgCodes(4555, 1), std::vector<int>{4554});
}

TEST(EpsgCrs, MatchesProjectionsToCodes) {
    const auto codes = [](const ProjectionParams& params, int width = 0) {
        std::vector<int> result;
        for (const EpsgCrs* crs : MatchingEpsgCrs(params, width)) {
            result.push_back(crs->code);
        }
        return result;
    };
    EXPECT_EQ(codes(FindEpsgCrs(4547)->Params()), std::vector<int>{4547});
    EXPECT_EQ(codes(FindEpsgCrs(4526)->Params(Method::Krueger)), std::vector<int>{4526});
    // Beijing 1954 and New Beijing share their ellipsoid and every projection.
    EXPECT_EQ(codes(FindEpsgCrs(2435)->Params()), (std::vector<int>{2435, 4795}));
    // A 6° central meridian is a 3° one too: without the zone in Y the two systems' codes
    // define the same projection, and the zone width tells them apart.
    EXPECT_EQ(codes(FindEpsgCrs(21453)->Params()), (std::vector<int>{2422, 4579, 4782, 21453}));
    EXPECT_EQ(codes(FindEpsgCrs(21453)->Params(), 6), (std::vector<int>{4579, 21453}));
    EXPECT_EQ(codes(FindEpsgCrs(21453)->Params(), 3), (std::vector<int>{2422, 4782}));
    // A deprecated code's projection is its replacement's, and is never offered itself.
    EXPECT_EQ(codes(FindEpsgCrs(21473)->Params(), 6), (std::vector<int>{4579, 21453}));
    // With the zone in Y the width is in the prefix's meridian already.
    EXPECT_EQ(codes(FindEpsgCrs(4498)->Params()), std::vector<int>{4498});

    ProjectionParams params = FindEpsgCrs(4547)->Params();
    params.k0 = 0.9996;
    EXPECT_TRUE(codes(params).empty());
    params = FindEpsgCrs(4547)->Params();
    params.ellipsoid = Wgs1984().ellipsoid(); // differs from CGCS2000 in the flattening only
    EXPECT_TRUE(codes(params).empty());
    params = FindEpsgCrs(4547)->Params();
    params.centralMeridian = 114.5;
    EXPECT_TRUE(codes(params).empty());
    params = FindEpsgCrs(4547)->Params();
    params.falseNorthing = 1.0;
    EXPECT_TRUE(codes(params).empty());
    params = FindEpsgCrs(4547)->Params();
    params.zonePrefix = 37; // a prefix that names another zone matches nothing
    EXPECT_TRUE(codes(params).empty());
}

} // namespace
