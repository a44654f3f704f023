// Settings from EPSG codes, and EPSG codes for settings.
#include <algorithm>

#include <gtest/gtest.h>

#include "conversion/crs_settings.h"

namespace {

std::vector<int> Codes(const ProjectionDescription& description) {
    std::vector<int> codes;
    for (const EpsgCrs* crs : description.codes) {
        codes.push_back(crs->code);
    }
    return codes;
}

TEST(CrsSettings, ACodeSetsTheWholeProjection) {
    struct Case {
        int code;
        int width;
        double centralMeridian;
        std::optional<int> zone;
        bool prefix;
        const char* ellipsoid;
    };
    const Case cases[] = {
        {4547, 3, 114.0, std::nullopt, false, "cgcs2000"},
        {4526, 3, 114.0, 38, true, "cgcs2000"},
        {2334, 6, 117.0, 20, true, "xian80"},
        {21473, 6, 75.0, std::nullopt, false, "beijing54"},
        {4822, 3, 135.0, std::nullopt, false, "beijing54"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Settings s;
        s.zoneWidth = c.width == 3 ? 6 : 3;
        s.k0 = 0.9996;
        s.falseEasting = 0.0;
        s.falseNorthing = 10000.0;
        s.method = Method::Krueger;
        ApplyCrs(*FindEpsgCrs(c.code), s);
        EXPECT_EQ(s.zoneWidth, c.width);
        EXPECT_EQ(s.centralMeridian, c.centralMeridian);
        EXPECT_EQ(s.zone, c.zone);
        EXPECT_EQ(s.prefix, c.prefix);
        EXPECT_EQ(s.k0, 1.0);
        EXPECT_EQ(s.falseEasting, 500000.0);
        EXPECT_EQ(s.falseNorthing, 0.0);
        EXPECT_EQ(s.method, Method::Krueger);
        const EllipsoidPreset& preset = *FindEllipsoidPreset(c.ellipsoid);
        EXPECT_EQ(s.ellipsoid.a(), preset.a);
        EXPECT_EQ(s.ellipsoid.f(), preset.f());
        // The settings a code makes are sound, and described by that code again.
        EXPECT_TRUE(CheckProjection(s));
        const std::vector<int> codes = Codes(DescribeProjection(s));
        const int current =
            FindEpsgCrs(c.code)->Deprecated() ? FindEpsgCrs(c.code)->replacedBy : c.code;
        EXPECT_NE(std::find(codes.begin(), codes.end(), current), codes.end());
    }
}

TEST(CrsSettings, FixedProjectionsNameTheirCodes) {
    Settings s;
    s.ellipsoid = Cgcs2000().ellipsoid();
    s.zoneWidth = 3;
    s.centralMeridian = 114.0;
    s.prefix = false;
    ProjectionDescription d = DescribeProjection(s);
    ASSERT_TRUE(d.params);
    EXPECT_EQ(d.params->centralMeridian, 114.0);
    EXPECT_FALSE(d.params->zonePrefix);
    EXPECT_EQ(Codes(d), std::vector<int>{4547});

    s.prefix = true; // 114° is 3° zone 38's own meridian: the zone goes into Y
    EXPECT_EQ(Codes(DescribeProjection(s)), std::vector<int>{4526});

    s.centralMeridian.reset();
    s.zone = 20;
    s.zoneWidth = 6;
    s.prefix = false; // 6° zone 20 without the number: CM 117E; the 3° twin is left out
    EXPECT_EQ(Codes(DescribeProjection(s)), std::vector<int>{4509});

    s.centralMeridian = 114.5; // a meridian of one's own has no code
    s.zone.reset();
    d = DescribeProjection(s);
    ASSERT_TRUE(d.params);
    EXPECT_TRUE(d.codes.empty());

    s.centralMeridian = 117.0; // without a zone the width does not choose
    EXPECT_EQ(Codes(DescribeProjection(s)), (std::vector<int>{4509, 4548}));

    s.ellipsoid = Wgs1984().ellipsoid(); // no Gauss-Krüger codes on WGS1984
    EXPECT_TRUE(DescribeProjection(s).codes.empty());
}

TEST(CrsSettings, ZonesChosenPerPointNameTheSystemsCodes) {
    Settings s;
    s.ellipsoid = Xian1980().ellipsoid();
    s.zoneWidth = 6;
    ProjectionDescription d = DescribeProjection(s);
    EXPECT_FALSE(d.params);
    ASSERT_EQ(d.codes.size(), 11u); // zones 13 to 23
    EXPECT_EQ(d.codes.front()->code, 2327);
    EXPECT_EQ(d.codes.back()->code, 2337);

    s.operation = Operation::SixToThree; // the output is in 3° zones
    d = DescribeProjection(s);
    ASSERT_EQ(d.codes.size(), 21u); // zones 25 to 45
    EXPECT_EQ(d.codes.front()->code, 2349);

    s.operation = Operation::Forward;
    s.ellipsoid = Beijing1954().ellipsoid(); // Beijing 1954 and New Beijing alike
    EXPECT_EQ(DescribeProjection(s).codes.size(), 22u);

    s.falseNorthing = 1000.0; // no code has a false northing
    EXPECT_TRUE(DescribeProjection(s).codes.empty());
}

} // namespace
