// Zone selection from the longitude's whole degrees and from the easting's millions.
#include <cmath>
#include <limits>
#include <utility>

#include <gtest/gtest.h>

#include "engine/gauss_projection.h"

namespace {

struct Zone {
    int n;
    double L0;
};

Zone FromL(double L, int w) {
    CGaussProjection p;
    p.SetAll(w, 6378137.0, 0.0, 0.0, L, 0.0, 0.0);
    p.ZoneFromL();
    return {p.m_nZone, p.m_L0};
}

Zone FromY(double Y, int w) {
    CGaussProjection p;
    p.SetAll(w, 6378137.0, 0.0, 0.0, 0.0, 0.0, Y);
    p.ZoneFromY();
    return {p.m_nZone, p.m_L0};
}

// Zones of the 6° and the 3° system from one input.
void ExpectZones(Zone (*from)(double, int), double in, const Zone& six, const Zone& three) {
    for (const auto& [w, want] : {std::pair{6, six}, std::pair{3, three}}) {
        SCOPED_TRACE(w);
        const Zone z = from(in, w);
        EXPECT_EQ(z.n, want.n);
        EXPECT_EQ(z.L0, want.L0);
    }
}

TEST(ZoneFromL, WholeDegreesDecideTheZone) {
    struct Case {
        double L;
        Zone six, three;
    };
    const Case cases[] = {
        {111.47248974, {19, 111}, {37, 111}},
        {108.5959, {18, 105}, {36, 108}},
        {109.0, {19, 111}, {36, 108}},
        {113.0, {19, 111}, {38, 114}},
        {114.3, {19, 111}, {38, 114}},
        {114.5959, {19, 111}, {38, 114}},
        {115.0, {20, 117}, {38, 114}},
        {116.0, {20, 117}, {39, 117}},
        {112.59, {19, 111}, {37, 111}},
        {0.30, {0, -3}, {0, 0}},
        {1.0, {1, 3}, {0, 0}},
        {360.0, {60, 357}, {120, 360}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.L);
        ExpectZones(FromL, c.L, c.six, c.three);
    }
}

TEST(ZoneFromL, WidthsOtherThanThreeFollowTheSixDegreeRules) {
    for (const int w : {0, -1, 7}) {
        SCOPED_TRACE(w);
        const Zone z = FromL(111.47248974, w);
        EXPECT_EQ(z.n, 19);
        EXPECT_EQ(z.L0, 111);
    }
}

TEST(ZoneFromY, MillionsDecideTheZone) {
    struct Case {
        double Y;
        Zone six, three;
    };
    const Case cases[] = {
        {18399692.74, {18, 105}, {18, 54}},    {19574920.4101, {19, 111}, {19, 57}},
        {38500000.0, {38, 225}, {38, 114}},    {999999.9, {0, -3}, {0, 0}},
        {121000000.0, {121, 723}, {121, 363}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Y);
        ExpectZones(FromY, c.Y, c.six, c.three);
    }
}

// Eastings beyond the int range saturate and a non-number names zone 0; under UBSan an
// unguarded narrowing would stop this test.
TEST(ZoneFromY, EastingsBeyondTheIntRangeAreDefined) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double Y;
        int n;
    };
    const Case cases[] = {
        {3e9, 2147}, {-3e9, -2147}, {1e300, 2147}, {inf, 2147}, {-inf, -2147}, {std::nan(""), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Y);
        const Zone z = FromY(c.Y, 6);
        EXPECT_EQ(z.n, c.n);
        EXPECT_EQ(z.L0, 6.0 * c.n - 3.0);
    }
}

TEST(ZoneFromL, LongitudesBeyondTheIntRangeAreDefined) {
    for (const double L : {1e300, -1e300, std::numeric_limits<double>::infinity(), std::nan("")}) {
        SCOPED_TRACE(L);
        for (const int w : {3, 6}) {
            const Zone z = FromL(L, w);
            EXPECT_TRUE(std::isfinite(z.L0));
        }
    }
}

} // namespace
