// Geocentric coordinates, the Helmert transformation, the datum change and the plane
// similarity: the published examples of the shared case file, round trips, and the edges.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "engine/datum_change.h"
#include "engine/plane_similarity.h"
#include "tests/support/case_file.h"

namespace {

HelmertParams HelmertOf(const cases::Settings& s) {
    const std::vector<double>& p = s.parameters;
    HelmertParams params{p[0], p[1], p[2], p[3], p[4], p[5], p[6], std::nullopt, s.exactRotation};
    if (s.convention == "position_vector") {
        params.convention = RotationConvention::PositionVector;
    } else if (s.convention == "coordinate_frame") {
        params.convention = RotationConvention::CoordinateFrame;
    }
    return params;
}

TEST(TransformCases, PublishedExamplesAndRoundTrips) {
    const std::vector<cases::TransformCase> all = cases::ReadTransforms();
    ASSERT_GE(all.size(), 8u);
    for (const cases::TransformCase& c : all) {
        SCOPED_TRACE(c.Where());
        std::vector<double> there;
        std::vector<double> back;
        if (c.settings.transform == "helmert") {
            const Helmert helmert(HelmertOf(c.settings));
            const GeocentricPoint t = helmert.Forward({c.in[0], c.in[1], c.in[2]});
            const GeocentricPoint b = helmert.Inverse(t);
            there = {t.X, t.Y, t.Z};
            back = {b.X, b.Y, b.Z};
        } else {
            const std::vector<double>& p = c.settings.parameters;
            const PlaneSimilarity plane({p[0], p[1], p[2], p[3]});
            const PlanePoint t = plane.Forward({c.in[0], c.in[1]});
            const PlanePoint b = plane.Inverse(t);
            there = {t.x, t.y};
            back = {b.x, b.y};
        }
        const std::vector<double>& want = c.roundTrip ? c.in : c.out;
        const std::vector<double>& got = c.roundTrip ? back : there;
        for (std::size_t k = 0; k < want.size(); ++k) {
            EXPECT_NEAR(got[k], want[k], c.tolerance) << "coordinate " << k;
        }
    }
}

const Ellipsoid kWgs84 = Wgs1984().ellipsoid();
const Ellipsoid kKrassovsky = Beijing1954().ellipsoid();

// Geodetic → geocentric → geodetic over latitudes to the poles and heights from -10 km to
// 20 000 km returns the point to well below a micrometre and a nanodegree.
TEST(Geocentric, InverseIsExactOverEveryLatitudeAndHeight) {
    const double heights[] = {-10000.0, -100.0, 0.0, 0.001, 8848.0, 400000.0, 2.0e7};
    const double latitudes[] = {-90.0, -89.9999999, -60.0, -1e-9, 0.0,
                                1e-9,  23.5,        45.0,  89.99, 90.0};
    double worstMetres = 0.0;
    for (const Ellipsoid& e : {kWgs84, kKrassovsky, Ellipsoid(6378137.0, 0.0)}) {
        const Geocentric g(e);
        for (double h : heights) {
            for (double lat : latitudes) {
                for (double lon : {-179.9, 0.0, 116.39, 180.0}) {
                    SCOPED_TRACE(testing::Message() << lat << " " << lon << " " << h);
                    const GeodeticPoint back = g.Inverse(g.Forward({lat, lon, h}));
                    EXPECT_NEAR(back.lat, lat, 1e-12);
                    EXPECT_NEAR(back.h, h, 1e-8 + 1e-15 * std::fabs(h));
                    if (std::fabs(lat) < 90.0) {
                        const double dlon = std::remainder(back.lon - lon, 360.0);
                        EXPECT_NEAR(dlon, 0.0, 1e-12);
                    }
                    const GeocentricPoint x = g.Forward({lat, lon, h});
                    const GeocentricPoint y = g.Forward(back);
                    worstMetres =
                        std::max(worstMetres, std::hypot(x.X - y.X, x.Y - y.Y, x.Z - y.Z));
                }
            }
        }
    }
    EXPECT_LT(worstMetres, 1e-7);
}

TEST(Geocentric, KnownPositions) {
    const Geocentric g(kWgs84);
    struct Case {
        GeodeticPoint geodetic;
        GeocentricPoint geocentric;
    };
    const Case cases[] = {
        {{0.0, 0.0, 0.0}, {6378137.0, 0.0, 0.0}},
        {{0.0, 90.0, 100.0}, {0.0, 6378237.0, 0.0}},
        {{90.0, 0.0, 0.0}, {0.0, 0.0, kWgs84.b()}},
        {{-90.0, 0.0, 10.0}, {0.0, 0.0, -kWgs84.b() - 10.0}},
    };
    for (const Case& c : cases) {
        const GeocentricPoint x = g.Forward(c.geodetic);
        EXPECT_NEAR(x.X, c.geocentric.X, 1e-9);
        EXPECT_NEAR(x.Y, c.geocentric.Y, 1e-9);
        EXPECT_NEAR(x.Z, c.geocentric.Z, 1e-9);
        const GeodeticPoint back = g.Inverse(c.geocentric);
        EXPECT_NEAR(back.lat, c.geodetic.lat, 1e-12);
        EXPECT_NEAR(back.h, c.geodetic.h, 1e-9);
    }
}

// Near the centre, where the closed form does not hold, any finite point still gives a finite
// answer.
TEST(Geocentric, PointsNearTheCentreGiveFiniteAnswers) {
    const Geocentric g(kWgs84);
    for (const GeocentricPoint p : {GeocentricPoint{0, 0, 0}, GeocentricPoint{1000, 0, 1000},
                                    GeocentricPoint{20000, 5000, -30000}}) {
        const GeodeticPoint q = g.Inverse(p);
        EXPECT_TRUE(std::isfinite(q.lat) && std::isfinite(q.lon) && std::isfinite(q.h));
    }
}

TEST(Helmert, RotationWithoutConventionIsRefused) {
    HelmertParams params;
    params.rz = 0.5;
    EXPECT_EQ(Helmert::Check(params).problem().code, ProblemCode::RotationWithoutConvention);
    params.rz = 0.0;
    params.tx = 10.0;
    EXPECT_TRUE(Helmert::Check(params));
    params.s = -1e6;
    EXPECT_EQ(Helmert::Check(params).problem().code, ProblemCode::DatumScaleNotPositive);
    params.s = 0.0;
    params.ty = NAN;
    EXPECT_EQ(Helmert::Check(params).problem().code, ProblemCode::DatumParameterNotFinite);
    EXPECT_EQ(Helmert::Check(params).problem().other, "ty");
    EXPECT_THROW(Helmert{params}, ProblemError);
}

// The two conventions are one transformation with the rotations' signs reversed, and the
// inverse undoes the forward to a micrometre at rotations of many arc-seconds, small-angle and
// exact alike.
TEST(Helmert, ConventionsMirrorAndInverseIsExact) {
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> t(-300.0, 300.0), r(-30.0, 30.0), s(-20.0, 20.0);
    const Geocentric g(kWgs84);
    for (int k = 0; k < 200; ++k) {
        const bool exact = k % 2 == 1;
        HelmertParams pv{t(random), t(random), t(random), r(random),
                         r(random), r(random), s(random), RotationConvention::PositionVector,
                         exact};
        HelmertParams cf = pv;
        cf.convention = RotationConvention::CoordinateFrame;
        cf.rx = -pv.rx;
        cf.ry = -pv.ry;
        cf.rz = -pv.rz;
        const GeocentricPoint x = g.Forward({r(random) * 3.0, r(random) * 6.0, t(random)});
        const GeocentricPoint a = Helmert(pv).Forward(x);
        const GeocentricPoint b = Helmert(cf).Forward(x);
        if (!exact) {
            EXPECT_NEAR(a.X, b.X, 1e-8);
            EXPECT_NEAR(a.Y, b.Y, 1e-8);
            EXPECT_NEAR(a.Z, b.Z, 1e-8);
        }
        const GeocentricPoint back = Helmert(pv).Inverse(a);
        EXPECT_LT(std::hypot(back.X - x.X, back.Y - x.Y, back.Z - x.Z), 1e-6);
    }
}

TEST(DatumChange, RoundTripReturnsThePointAndItsHeight) {
    const HelmertParams params{
        -24.0, 123.0, 94.0, 0.02, -0.25, -0.13, 1.1, RotationConvention::PositionVector, false};
    const DatumChange change(kWgs84, params, kKrassovsky);
    for (const GeodeticPoint p :
         {GeodeticPoint{39.9, 116.4, 50.0}, GeodeticPoint{22.5, 114.1, 0.0},
          GeodeticPoint{-33.9, 18.4, 1500.0}, GeodeticPoint{90.0, 0.0, 0.0}}) {
        const GeodeticPoint there = change.Forward(p);
        // The shift is tens to hundreds of metres, not nothing.
        EXPECT_GT(std::fabs(there.h - p.h) + std::fabs(there.lat - p.lat), 1e-4);
        const GeodeticPoint back = change.Inverse(there);
        EXPECT_NEAR(back.lat, p.lat, 1e-11);
        if (std::fabs(p.lat) < 90.0) {
            EXPECT_NEAR(back.lon, p.lon, 1e-11);
        }
        EXPECT_NEAR(back.h, p.h, 1e-6);
    }
}

// A zone-millions easting moved by the similarity and back keeps its micrometres, and the
// forward agrees with the formula evaluated in long double.
TEST(PlaneSimilarity, ZoneMillionsLoseNothing) {
    const PlaneSimilarityParams params{-208.185, -129.549, 1.56504, 1.5504};
    const PlaneSimilarity plane(params);
    const long double theta = 1.56504L * 3.14159265358979323846264338327950288L / 648000.0L;
    const long double m = 1.0L + 1.5504e-6L;
    for (const PlanePoint p : {PlanePoint{3386902.25, 38548244.123}, PlanePoint{4500000, 300000},
                               PlanePoint{-1000.5, 120999999.999}}) {
        const PlanePoint q = plane.Forward(p);
        const long double x = -208.185L + m * (p.x * std::cos(theta) - p.y * std::sin(theta));
        const long double y = -129.549L + m * (p.x * std::sin(theta) + p.y * std::cos(theta));
        EXPECT_NEAR(q.x, static_cast<double>(x), 2e-8);
        EXPECT_NEAR(q.y, static_cast<double>(y), 2e-8);
        const PlanePoint back = plane.Inverse(q);
        EXPECT_NEAR(back.x, p.x, 2e-8);
        EXPECT_NEAR(back.y, p.y, 2e-8);
    }
}

TEST(PlaneSimilarity, RefusesWhatIsNotAParameter) {
    EXPECT_EQ(PlaneSimilarity::Check({0, 0, INFINITY, 0}).problem().other, "theta");
    EXPECT_EQ(PlaneSimilarity::Check({0, 0, 0, -2e6}).problem().code,
              ProblemCode::DatumScaleNotPositive);
    EXPECT_TRUE(PlaneSimilarity::Check({1, 2, 3, 4}));
}

} // namespace
