// Packed angles: joining, splitting and the conversions to and from decimal degrees.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "engine/detail/series_kernel.h"
#include "engine/ellipsoid.h"
#include "engine/packed_angle.h"
#include "engine/series_method.h"

namespace {

TEST(JoinPacked, AddsDegreesLastToMinutesAndSeconds) {
    struct Case {
        double D, M, S, packed;
    };
    const Case cases[] = {
        {31, 41, 41.6832, 31.41416832},
        {114, 20, 30, 114.2030},
        {-30, -30, 0, -30.30},
        {30, 61, 0, 30.61}, // not normalised
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.packed);
        EXPECT_DOUBLE_EQ(JoinPacked(c.D, c.M, c.S), c.packed);
    }
    // The order (M/100 + S/10000) + D is what makes the form and gkconv agree bit for bit.
    EXPECT_EQ(JoinPacked(31, 41, 41.6832), (41 * 0.01 + 41.6832 * 0.0001) + 31);
}

TEST(SplitPacked, RecoversTheWrittenDigits) {
    struct Case {
        double P, D, M, S;
    };
    const Case cases[] = {
        {30.15, 30, 15, 0}, // held just below 30.15
        {30.60, 30, 60, 0}, // held just above; minutes not normalised
        {31.41416832, 31, 41, 41.6832},
        {114.2030, 114, 20, 30},
        {359.5959, 359, 59, 59},
        {0.0001, 0, 0, 1},
        {-30.3015, -30, -30, -15}, // every part carries the sign
        {45.0, 45, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.P);
        const PackedParts parts = SplitPacked(c.P);
        EXPECT_EQ(parts.D, c.D);
        EXPECT_EQ(parts.M, c.M);
        EXPECT_NEAR(parts.S, c.S, 1e-9);
    }
}

TEST(SplitPacked, IntFormSaturatesInsteadOfOverflowing) {
    int nDeg = 0;
    int nMin = 0;
    double dSec = 0;
    SplitPacked(31.41416832, nDeg, nMin, dSec);
    EXPECT_EQ(nDeg, 31);
    EXPECT_EQ(nMin, 41);
    EXPECT_NEAR(dSec, 41.6832, 1e-9);

    SplitPacked(1e30, nDeg, nMin, dSec);
    EXPECT_EQ(nDeg, std::numeric_limits<int>::max());
    SplitPacked(std::nan(""), nDeg, nMin, dSec);
    EXPECT_EQ(nDeg, 0);
    EXPECT_TRUE(std::isnan(dSec));
}

TEST(PackedToDegrees, ReadsSexagesimalParts) {
    // Exact rows come out exact: whole minutes and no stray seconds from the representation
    // error.
    struct Case {
        double P, degrees;
        bool exact;
    };
    const Case cases[] = {
        {31.41416832, 31.694912, false},
        {30.15, 30.25, true},
        {30.60, 31.0, true},
        {30.0, 30.0, true},
        {-30.3, -30.5, false},
        {114.2030, 114.341666666666667, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.P);
        EXPECT_NEAR(PackedToDegrees(c.P), c.degrees, c.exact ? 0.0 : 1e-13);
    }
}

TEST(DegreesToPacked, WritesSexagesimalParts) {
    struct Case {
        double degrees, P;
        bool exact;
    };
    const Case cases[] = {
        {30.25, 30.15, true}, {-30.5, -30.3, false},  {31.694912, 31.41416832, false},
        {0.0, 0.0, false},    {114.5, 114.30, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_NEAR(DegreesToPacked(c.degrees), c.P, c.exact ? 0.0 : 1e-13);
    }
    EXPECT_EQ(PackedToDegrees(DegreesToPacked(-30.5)), -30.5);
}

TEST(DegreesToPacked, RoundTripsThroughPackedToDegrees) {
    for (double d = -179.9; d < 360.0; d += 0.7310934) {
        SCOPED_TRACE(d);
        EXPECT_NEAR(PackedToDegrees(DegreesToPacked(d)), d, 1e-12);
    }
}

TEST(MeridianArc, CoefficientsMatchThePresets) {
    struct Case {
        double a, alfa, s0, s2, s4, s6, s8, s10;
    };
    const Case cases[] = {
        {6378137.0, 298.2572235635, 6367449.145823052, -16038.508662623, 16.832613161,
         -0.021984373878, 3.11416246801e-05, -4.50351741e-08},
        {6378140.0, 298.257, 6367452.132788056, -16038.528228373, 16.832646334, -0.021984433710,
         3.11417328063e-05, -4.50353636e-08},
        {6378245.0, 298.3, 6367558.496874602, -16036.480269088, 16.828066783, -0.021975279041,
         3.11242720726e-05, -4.50037527e-08},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a);
        const detail::MeridianArc arc(Ellipsoid(c.a, 1.0 / c.alfa));
        EXPECT_NEAR(arc.s0, c.s0, 1e-9);
        EXPECT_NEAR(arc.s2, c.s2, 1e-9);
        EXPECT_NEAR(arc.s4, c.s4, 1e-9);
        EXPECT_NEAR(arc.s6, c.s6, 1e-12);
        EXPECT_NEAR(arc.s8, c.s8, 1e-16);
        EXPECT_NEAR(arc.s10, c.s10, 1e-16);
    }
}

TEST(MeridianArc, LengthAtKnownLatitudes) {
    const double pi = std::acos(-1.0);
    const detail::MeridianArc arc(Ellipsoid(6378137.0, 1.0 / 298.2572235635));
    EXPECT_NEAR(arc.Length(30.0 * pi / 180.0), 3320113.3979, 5e-5);
    EXPECT_NEAR(arc.Length(45.0 * pi / 180.0), 4984944.3780, 5e-5);
    EXPECT_EQ(arc.Length(0.0), 0.0);
    EXPECT_EQ(arc.Length(-0.5), -arc.Length(0.5));
}

TEST(FootpointLatitude, InvertsTheMeridianArc) {
    const detail::MeridianArc arc(Ellipsoid(6378137.0, 1.0 / 298.2572235635));
    for (const double X : {1.0, 1000.0, 3386902.25, 5e6, 9e6, 1.0001e7, -4e6}) {
        SCOPED_TRACE(X);
        const double Bf = FootpointLatitude(Ellipsoid(6378137.0, 1.0 / 298.2572235635), X);
        EXPECT_NEAR(arc.Length(Bf), X, 1e-5);
    }
    EXPECT_EQ(FootpointLatitude(Ellipsoid(6378137.0, 1.0 / 298.2572235635), 0.0), 0.0);
}

} // namespace
