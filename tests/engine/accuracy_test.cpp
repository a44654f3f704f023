// Accuracy of both methods against an independent exact transverse Mercator (scale 1 on the
// central meridian), over latitudes 0-84° north and south and every preset.
//
// series: over the area the zones really cover (2° west to 4° east of the central meridian in
// the 6° system, 1° west to 2° east in the 3° system), and on to the 6° a chosen meridian
// takes, the worst error in each band of distance from the central meridian is held to the
// bound measured for it; a wrong sign or term shows up as a jump far beyond the bound.
// krueger: at most 1 µm forward and inverse up to 6° either side, and a round trip that
// returns within 1e-9°; beyond 7°, where it takes the library's elementary functions in place
// of their Taylor series, the same out to 30°; and the poles.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <gtest/gtest.h>

#include "engine/projection.h"

namespace {

constexpr double kL0 = 111.0;

// Errors of one preset, in metres, over one grid.
struct Errors {
    double forward[7] = {}; // worst per band: index k holds k-1° < |dlon| <= k°, 6 all beyond 5°
    double inverse[7] = {};
    double roundTripDegrees = 0.0;
};

int Band(double dlon) {
    return std::clamp(static_cast<int>(std::ceil(std::fabs(dlon) - 1e-9)), 1, 6);
}

Errors Measure(const EllipsoidPreset& preset, Method method, double west, double east,
               double step = 0.25) {
    const GeographicLib::TransverseMercatorExact exact(preset.a, preset.f(), 1.0);
    const Projection projection({preset.ellipsoid(), kL0, 1.0, 0.0, 0.0, std::nullopt, method});
    Errors errors;
    for (double lat = -84.0; lat <= 84.0 + 1e-9; lat += 1.5) {
        for (double dlon = west; dlon <= east + 1e-9; dlon += step) {
            const int band = Band(dlon);
            double x = 0;
            double y = 0;
            exact.Forward(kL0, lat, kL0 + dlon, x, y);

            const PlanePoint p = projection.Forward(lat, kL0 + dlon);
            const double forward = std::hypot(p.x - y, p.y - x);
            errors.forward[band] = std::max(errors.forward[band], forward);

            // The position error on the ground: project the answer exactly and measure how far
            // it lands from the plane point it started from.
            const GeoPoint g = projection.Inverse(y, x);
            double xb = 0;
            double yb = 0;
            exact.Forward(kL0, g.lat, g.lon, xb, yb);
            const double inverse = std::hypot(xb - x, yb - y);
            errors.inverse[band] = std::max(errors.inverse[band], inverse);

            const GeoPoint back = projection.Inverse(p.x, p.y);
            const double trip =
                std::max(std::fabs(back.lat - lat), std::fabs(back.lon - kL0 - dlon));
            errors.roundTripDegrees = std::max(errors.roundTripDegrees, trip);
        }
    }
    return errors;
}

class Accuracy : public testing::TestWithParam<EllipsoidPreset> {};

TEST_P(Accuracy, SeriesStaysWithinItsMeasuredBoundInEachBand) {
    // Worst measured over all presets and latitudes to 84°, rounded up. Bands 1 to 4 on the area
    // the zones cover (0.00043, 0.0067, 0.099 and 0.70 mm forward; 0.00099, 0.021, 0.366 and
    // 2.75 mm inverse), bands 3 and 4 met only east of a 6° central meridian. Bands 5 and 6, 4°
    // to 6° either side, where a chosen meridian or zone takes points but no zone reaches: the
    // series is off by centimetres there, which gkconv notes and the README's table shows (3.25
    // and 11.5 mm forward, 13.2 and 47.6 mm inverse).
    struct Bound {
        int band;
        double forward;
        double inverse;
    };
    const Bound bounds[] = {
        {1, 0.5e-6, 1.1e-6},  {2, 7e-6, 22e-6},     {3, 0.1e-3, 0.37e-3},
        {4, 0.71e-3, 2.8e-3}, {5, 3.3e-3, 13.3e-3}, {6, 11.6e-3, 47.7e-3},
    };
    const EllipsoidPreset& preset = GetParam();
    const Errors zones = Measure(preset, Method::Series, -2.0, 4.0);
    const Errors wide = Measure(preset, Method::Series, -6.0, 6.0);
    for (const Bound& b : bounds) {
        SCOPED_TRACE(testing::Message() << "within " << b.band << "°");
        const Errors& errors = b.band <= 4 ? zones : wide;
        std::printf("%s series within %d°: forward %.5f mm, inverse %.5f mm\n",
                    std::string(preset.key).c_str(), b.band, errors.forward[b.band] * 1e3,
                    errors.inverse[b.band] * 1e3);
        EXPECT_LT(errors.forward[b.band], b.forward);
        EXPECT_LT(errors.inverse[b.band], b.inverse);
    }
}

// Up to 6° out, and far beyond the zone where the method takes the library's elementary
// functions in place of their Taylor series.
TEST_P(Accuracy, KruegerIsWithinAMicrometreUpToSixDegreesOutAndFarBeyond) {
    const EllipsoidPreset& preset = GetParam();
    const Errors near = Measure(preset, Method::Krueger, -6.0, 6.0);
    double forward = 0.0;
    double inverse = 0.0;
    for (int band = 1; band <= 6; ++band) {
        forward = std::max(forward, near.forward[band]);
        inverse = std::max(inverse, near.inverse[band]);
    }
    std::printf("%s krueger to 6°: forward %.2e m, inverse %.2e m, round trip %.2e°\n",
                std::string(preset.key).c_str(), forward, inverse, near.roundTripDegrees);
    EXPECT_LT(forward, 1e-6);
    EXPECT_LT(inverse, 1e-6);
    EXPECT_LT(near.roundTripDegrees, 1e-9);

    const Errors far = Measure(preset, Method::Krueger, -30.0, 30.0, 0.5);
    EXPECT_LT(far.forward[6], 1e-6);
    EXPECT_LT(far.inverse[6], 1e-6);
    EXPECT_LT(far.roundTripDegrees, 1e-9);
}

TEST_P(Accuracy, KruegerTakesThePolesToTheQuarterMeridianAndBack) {
    const EllipsoidPreset& preset = GetParam();
    const GeographicLib::TransverseMercatorExact exact(preset.a, preset.f(), 1.0);
    const Projection projection(
        {preset.ellipsoid(), kL0, 1.0, 0.0, 0.0, std::nullopt, Method::Krueger});
    for (const double lat : {90.0, -90.0}) {
        for (const double dlon : {0.0, -2.0, 5.0, 20.0}) {
            SCOPED_TRACE(testing::Message() << lat << " " << dlon);
            double x = 0;
            double y = 0;
            exact.Forward(kL0, lat, kL0 + dlon, x, y);
            const PlanePoint p = projection.Forward(lat, kL0 + dlon);
            EXPECT_NEAR(p.x, y, 1e-6);
            EXPECT_NEAR(p.y, x, 1e-6);
            EXPECT_NEAR(projection.Inverse(p.x, p.y).lat, lat, 1e-9);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Presets, Accuracy, testing::ValuesIn(EllipsoidPresets()),
                         [](const testing::TestParamInfo<EllipsoidPreset>& info) {
                             return std::string(info.param.key);
                         });

} // namespace
