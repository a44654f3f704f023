// Estimation from common points: parameters recovered from exact points, m0 from noisy ones,
// standard deviations against the spread of many fits, the leave-one-out test against refits,
// a single blunder flagged and no other point, and the refusals.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "engine/common_point_fit.h"
#include "engine/fisher_distribution.h"

namespace {

const Ellipsoid kWgs84 = Wgs1984().ellipsoid();
const Ellipsoid kKrassovsky = Beijing1954().ellipsoid();

// A Beijing 1954-like set of parameters, large enough for the second-order terms to matter.
const HelmertParams kTruth{-15.415, 157.025, 94.74, 1.465,
                           -0.312,  -0.08,   0.114, RotationConvention::PositionVector,
                           false};

// Points around (lat0, lon0) spread over about `spread` degrees, geocentric on WGS 84.
std::vector<CommonPoint> HelmertPoints(const HelmertParams& truth, int n, double noise,
                                       std::mt19937_64& random, double spread = 0.3) {
    const Geocentric g(kWgs84);
    const Helmert helmert(truth);
    std::uniform_real_distribution<double> offset(-spread, spread), height(0.0, 500.0);
    std::normal_distribution<double> error(0.0, noise > 0.0 ? noise : 1.0);
    std::vector<CommonPoint> points;
    for (int i = 0; i < n; ++i) {
        const GeocentricPoint s =
            g.Forward({34.2 + offset(random), 108.9 + offset(random), height(random)});
        const GeocentricPoint t = helmert.Forward(s);
        CommonPoint p{"P" + std::to_string(i), {s.X, s.Y, s.Z}, {t.X, t.Y, t.Z}};
        if (noise > 0.0) {
            for (double& c : p.target) {
                c += error(random);
            }
        }
        points.push_back(p);
    }
    return points;
}

const PlaneSimilarityParams kPlaneTruth{-208.185, -129.549, 1.56504, 1.5504};

// Plane points in zone 38 of the 3° system (eastings with the zone millions).
std::vector<CommonPoint> PlanePoints(int n, double noise, std::mt19937_64& random) {
    const PlaneSimilarity plane(kPlaneTruth);
    std::uniform_real_distribution<double> offset(-20000.0, 20000.0);
    std::normal_distribution<double> error(0.0, noise > 0.0 ? noise : 1.0);
    std::vector<CommonPoint> points;
    for (int i = 0; i < n; ++i) {
        const PlanePoint s{3386902.25 + offset(random), 38548244.0 + offset(random)};
        const PlanePoint t = plane.Forward(s);
        CommonPoint p{"P" + std::to_string(i), {s.x, s.y, 0.0}, {t.x, t.y, 0.0}};
        if (noise > 0.0) {
            p.target[0] += error(random);
            p.target[1] += error(random);
        }
        points.push_back(p);
    }
    return points;
}

CommonPointFit Fit(const FitOutcome& outcome) {
    if (!outcome) {
        ADD_FAILURE() << "refused with code " << static_cast<int>(outcome.problem().code);
        return {};
    }
    return *outcome;
}

double WorstHelmertMiss(const HelmertParams& estimated, const std::vector<CommonPoint>& points,
                        const HelmertParams& truth) {
    double worst = 0.0;
    for (const CommonPoint& p : points) {
        const GeocentricPoint s{p.source[0], p.source[1], p.source[2]};
        const GeocentricPoint a = Helmert(estimated).Forward(s);
        const GeocentricPoint b = Helmert(truth).Forward(s);
        worst = std::max(worst, std::hypot(a.X - b.X, a.Y - b.Y, a.Z - b.Z));
    }
    return worst;
}

TEST(FisherQuantile, AgreesWithPublishedTables) {
    struct Case {
        double p;
        int d1, d2;
        double f;
    };
    const Case cases[] = {{0.95, 1, 10, 4.9646},
                          {0.99, 3, 8, 7.5910},
                          {0.999, 2, 4, 61.246},
                          {0.999, 3, 12, 10.804},
                          {0.95, 2, 60, 3.1504}};
    for (const Case& c : cases) {
        EXPECT_NEAR(FisherQuantile(c.p, c.d1, c.d2), c.f, 2e-4 * c.f) << c.d1 << "," << c.d2;
    }
}

// Exact common points give back parameters whose transformation agrees with the true one to
// 0.1 mm, in both conventions, small-angle and exact, and for the translation alone.
TEST(CommonPointFit, ExactPointsGiveBackTheTransformation) {
    std::mt19937_64 random(1);
    for (const RotationConvention convention :
         {RotationConvention::PositionVector, RotationConvention::CoordinateFrame}) {
        for (const bool exact : {false, true}) {
            HelmertParams truth = kTruth;
            truth.convention = convention;
            truth.exactRotation = exact;
            const std::vector<CommonPoint> points = HelmertPoints(truth, 6, 0.0, random);
            const CommonPointFit& fit = Fit(FitHelmert7(points, convention, exact, kKrassovsky));
            EXPECT_LT(WorstHelmertMiss(fit.helmert, points, truth), 1e-4);
            EXPECT_EQ(fit.redundancy, 11);
            ASSERT_TRUE(fit.m0);
            EXPECT_LT(*fit.m0, 1e-6);
            for (const PointFit& p : fit.points) {
                EXPECT_FALSE(p.flagged) << p.name;
            }
        }
    }
    HelmertParams shift;
    shift.tx = 84.87;
    shift.ty = 96.49;
    shift.tz = 116.95;
    const std::vector<CommonPoint> points = HelmertPoints(shift, 4, 0.0, random);
    const CommonPointFit& fit = Fit(FitHelmert3(points, kKrassovsky));
    EXPECT_NEAR(fit.helmert.tx, 84.87, 1e-7);
    EXPECT_NEAR(fit.helmert.ty, 96.49, 1e-7);
    EXPECT_NEAR(fit.helmert.tz, 116.95, 1e-7);

    const std::vector<CommonPoint> plane = PlanePoints(5, 0.0, random);
    const CommonPointFit& planeFit = Fit(FitPlane4(plane));
    for (const CommonPoint& p : plane) {
        const PlanePoint a = PlaneSimilarity(planeFit.plane).Forward({p.source[0], p.source[1]});
        EXPECT_NEAR(a.x, p.target[0], 1e-4);
        EXPECT_NEAR(a.y, p.target[1], 1e-4);
    }
    EXPECT_NEAR(planeFit.plane.theta, kPlaneTruth.theta, 1e-6);
    EXPECT_NEAR(planeFit.plane.s, kPlaneTruth.s, 1e-6);
}

// Twenty points with 1 cm Gaussian noise in each coordinate: m0 comes out near 1 cm.
TEST(CommonPointFit, NoiseOfOneCentimetreGivesM0NearOneCentimetre) {
    std::mt19937_64 random(20);
    const std::vector<CommonPoint> helmert = HelmertPoints(kTruth, 20, 0.01, random);
    const CommonPointFit& h7 =
        Fit(FitHelmert7(helmert, RotationConvention::PositionVector, false, kKrassovsky));
    ASSERT_TRUE(h7.m0);
    EXPECT_EQ(h7.redundancy, 53);
    EXPECT_GT(*h7.m0, 0.005);
    EXPECT_LT(*h7.m0, 0.015);
    const std::vector<CommonPoint> plane = PlanePoints(20, 0.01, random);
    const CommonPointFit& p4 = Fit(FitPlane4(plane));
    ASSERT_TRUE(p4.m0);
    EXPECT_EQ(p4.redundancy, 36);
    EXPECT_GT(*p4.m0, 0.005);
    EXPECT_LT(*p4.m0, 0.015);
    std::printf("m0 of 20 points with 1 cm noise: helmert7 %.4f m, plane4 %.4f m\n", *h7.m0,
                *p4.m0);
}

// The standard deviations a fit reports match the spread of the parameters over many fits of
// fresh noise on the same points, within the sampling error of 400 fits.
TEST(CommonPointFit, StandardDeviationsMatchTheSpreadOfRepeatedFits) {
    std::mt19937_64 random(400);
    const std::vector<CommonPoint> base = HelmertPoints(kTruth, 8, 0.0, random);
    const std::vector<CommonPoint> planeBase = PlanePoints(6, 0.0, random);
    std::normal_distribution<double> error(0.0, 0.02);
    double sum[7] = {}, sum2[7] = {}, sigma[7] = {};
    double psum[4] = {}, psum2[4] = {}, psigma[4] = {};
    const int runs = 400;
    for (int run = 0; run < runs; ++run) {
        std::vector<CommonPoint> points = base;
        for (CommonPoint& p : points) {
            for (double& c : p.target) {
                c += error(random);
            }
        }
        const CommonPointFit& fit =
            Fit(FitHelmert7(points, RotationConvention::PositionVector, false, kKrassovsky));
        const HelmertParams& e = fit.helmert;
        const HelmertParams& s = *fit.helmertSigma;
        const double values[7] = {e.tx, e.ty, e.tz, e.rx, e.ry, e.rz, e.s};
        const double sigmas[7] = {s.tx, s.ty, s.tz, s.rx, s.ry, s.rz, s.s};
        for (int k = 0; k < 7; ++k) {
            sum[k] += values[k];
            sum2[k] += values[k] * values[k];
            // m0 varies from run to run; its mean square is the noise's variance.
            sigma[k] += sigmas[k] * sigmas[k] / runs;
        }
        std::vector<CommonPoint> plane = planeBase;
        for (CommonPoint& p : plane) {
            p.target[0] += error(random);
            p.target[1] += error(random);
        }
        const CommonPointFit& pf = Fit(FitPlane4(plane));
        const double pv[4] = {pf.plane.dx, pf.plane.dy, pf.plane.theta, pf.plane.s};
        const double ps[4] = {pf.planeSigma->dx, pf.planeSigma->dy, pf.planeSigma->theta,
                              pf.planeSigma->s};
        for (int k = 0; k < 4; ++k) {
            psum[k] += pv[k];
            psum2[k] += pv[k] * pv[k];
            psigma[k] += ps[k] * ps[k] / runs;
        }
    }
    for (int k = 0; k < 7; ++k) {
        const double mean = sum[k] / runs;
        const double spread = std::sqrt(sum2[k] / runs - mean * mean);
        EXPECT_NEAR(spread / std::sqrt(sigma[k]), 1.0, 0.15) << "helmert parameter " << k;
    }
    for (int k = 0; k < 4; ++k) {
        const double mean = psum[k] / runs;
        const double spread = std::sqrt(psum2[k] / runs - mean * mean);
        EXPECT_NEAR(spread / std::sqrt(psigma[k]), 1.0, 0.15) << "plane parameter " << k;
    }
}

// The statistic of each point agrees with a fit made without it: r m0² = (r - d + d T) m0_(i)².
TEST(CommonPointFit, LeaveOneOutStatisticAgreesWithARefitWithoutThePoint) {
    std::mt19937_64 random(5);
    const std::vector<CommonPoint> plane = PlanePoints(7, 0.01, random);
    const std::vector<CommonPoint> helmert = HelmertPoints(kTruth, 6, 0.01, random);
    for (const bool isPlane : {true, false}) {
        const std::vector<CommonPoint>& points = isPlane ? plane : helmert;
        auto fitOf = [&](const std::vector<CommonPoint>& p) {
            return Fit(
                isPlane ? FitPlane4(p)
                        : FitHelmert7(p, RotationConvention::PositionVector, false, kKrassovsky));
        };
        const CommonPointFit all = fitOf(points);
        const int d = isPlane ? 2 : 3;
        for (std::size_t i = 0; i < points.size(); ++i) {
            std::vector<CommonPoint> others = points;
            others.erase(others.begin() + static_cast<long>(i));
            const CommonPointFit without = fitOf(others);
            ASSERT_TRUE(all.points[i].statistic);
            const double lhs = all.redundancy * *all.m0 * *all.m0;
            const double rhs =
                (without.redundancy + d * *all.points[i].statistic) * *without.m0 * *without.m0;
            EXPECT_NEAR(lhs / rhs, 1.0, isPlane ? 1e-6 : 1e-4) << points[i].name;
        }
    }
}

// Five points, a 10 km square and its centre; one of them 0.10 m off in one coordinate. The
// blunder is flagged wherever it is, and no other point, with noise of 2 mm or none.
TEST(CommonPointFit, OneBlunderAmongFivePointsIsFlaggedAndNoOther) {
    const double corners[5][2] = {
        {-5000, -5000}, {-5000, 5000}, {5000, 5000}, {5000, -5000}, {0, 0}};
    const Geocentric g(kWgs84);
    const Helmert helmert(kTruth);
    const PlaneSimilarity plane(kPlaneTruth);
    std::mt19937_64 random(10);
    for (const double noise : {0.0, 0.002}) {
        std::normal_distribution<double> error(0.0, noise > 0.0 ? noise : 1.0);
        for (int model = 0; model < 3; ++model) {
            for (int bad = 0; bad < 5; ++bad) {
                for (int axis = 0; axis < (model == 0 ? 2 : 3); ++axis) {
                    SCOPED_TRACE(testing::Message() << "noise " << noise << " model " << model
                                                    << " blunder at " << bad << " axis " << axis);
                    std::vector<CommonPoint> points;
                    for (int i = 0; i < 5; ++i) {
                        CommonPoint p{"P" + std::to_string(i), {}, {}};
                        if (model == 0) {
                            const PlanePoint s{3386902.25 + corners[i][0],
                                               38548244.0 + corners[i][1]};
                            const PlanePoint t = plane.Forward(s);
                            p.source = {s.x, s.y, 0.0};
                            p.target = {t.x, t.y, 0.0};
                        } else {
                            // 10 km in latitude is 0.09°, in longitude at 34° 0.108°.
                            const GeocentricPoint s =
                                g.Forward({34.2 + corners[i][0] / 111000.0,
                                           108.9 + corners[i][1] / 92000.0, 400.0});
                            const GeocentricPoint t =
                                model == 1 ? helmert.Forward(s)
                                           : GeocentricPoint{s.X + 80.0, s.Y - 60.0, s.Z + 40.0};
                            p.source = {s.X, s.Y, s.Z};
                            p.target = {t.X, t.Y, t.Z};
                        }
                        for (int k = 0; k < (model == 0 ? 2 : 3); ++k) {
                            p.target[k] += noise > 0.0 ? error(random) : 0.0;
                        }
                        points.push_back(p);
                    }
                    points[bad].target[axis] += 0.10;
                    const FitOutcome outcome =
                        model == 0   ? FitPlane4(points)
                        : model == 1 ? FitHelmert7(points, RotationConvention::PositionVector,
                                                   false, kKrassovsky)
                                     : FitHelmert3(points, kKrassovsky);
                    const CommonPointFit& fit = Fit(outcome);
                    ASSERT_EQ(fit.points.size(), 5u);
                    for (int i = 0; i < 5; ++i) {
                        EXPECT_EQ(fit.points[i].flagged, i == bad)
                            << "point " << i << " statistic "
                            << fit.points[i].statistic.value_or(-1) << " threshold "
                            << fit.flagThreshold.value_or(-1);
                    }
                }
            }
        }
    }
}

TEST(CommonPointFit, NoRedundancyLeavesM0Absent) {
    std::mt19937_64 random(3);
    const CommonPointFit& plane = Fit(FitPlane4(PlanePoints(2, 0.01, random)));
    EXPECT_EQ(plane.redundancy, 0);
    EXPECT_FALSE(plane.m0);
    EXPECT_FALSE(plane.planeSigma);
    EXPECT_FALSE(plane.flagThreshold);
    for (const PointFit& p : plane.points) {
        EXPECT_NEAR(std::hypot(p.v[0], p.v[1]), 0.0, 1e-6);
        EXPECT_FALSE(p.statistic);
    }
    const CommonPointFit& shift =
        Fit(FitHelmert3(HelmertPoints(kTruth, 1, 0.0, random), kKrassovsky));
    EXPECT_EQ(shift.redundancy, 0);
    EXPECT_FALSE(shift.m0);
    // Three points: r = 2 but none can be tested without leaving the others exact.
    const CommonPointFit& three =
        Fit(FitHelmert7(HelmertPoints(kTruth, 3, 0.01, random), RotationConvention::PositionVector,
                        false, kKrassovsky));
    EXPECT_EQ(three.redundancy, 2);
    EXPECT_TRUE(three.m0);
    EXPECT_FALSE(three.flagThreshold);
}

TEST(CommonPointFit, RefusalsSayWhatIsWrong) {
    std::mt19937_64 random(9);
    struct Case {
        const char* what;
        std::vector<CommonPoint> points;
        int model; // 0 plane4, 1 helmert7, 2 helmert3
        ProblemCode code;
    };
    std::vector<CommonPoint> repeatedName = PlanePoints(4, 0.0, random);
    repeatedName[3].name = repeatedName[1].name;
    std::vector<CommonPoint> repeatedPlace = PlanePoints(4, 0.0, random);
    repeatedPlace[2].source = repeatedPlace[0].source;
    repeatedPlace[2].source[1] += 0.0004;
    std::vector<CommonPoint> line = HelmertPoints(kTruth, 2, 0.0, random);
    CommonPoint middle = line[0];
    middle.name = "M";
    for (int k = 0; k < 3; ++k) {
        middle.source[k] = 0.25 * line[0].source[k] + 0.75 * line[1].source[k];
        middle.target[k] = 0.25 * line[0].target[k] + 0.75 * line[1].target[k];
    }
    line.push_back(middle);
    std::vector<CommonPoint> notFinite = PlanePoints(3, 0.0, random);
    notFinite[1].target[0] = NAN;
    const Case cases[] = {
        {"one plane point", PlanePoints(1, 0.0, random), 0, ProblemCode::TooFewCommonPoints},
        {"two points for seven", HelmertPoints(kTruth, 2, 0.0, random), 1,
         ProblemCode::TooFewCommonPoints},
        {"no point", {}, 2, ProblemCode::TooFewCommonPoints},
        {"a name twice", repeatedName, 0, ProblemCode::CommonPointRepeated},
        {"a place twice", repeatedPlace, 0, ProblemCode::CommonPointRepeated},
        {"three on a line", line, 1, ProblemCode::CommonPointsCollinear},
        {"not a number", notFinite, 0, ProblemCode::CommonPointNotFinite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FitOutcome outcome =
            c.model == 0 ? FitPlane4(c.points)
            : c.model == 1
                ? FitHelmert7(c.points, RotationConvention::CoordinateFrame, false, kKrassovsky)
                : FitHelmert3(c.points, kKrassovsky);
        ASSERT_FALSE(outcome);
        EXPECT_EQ(outcome.problem().code, c.code);
    }
    const FitOutcome few = FitHelmert7(HelmertPoints(kTruth, 2, 0.0, random),
                                       RotationConvention::PositionVector, false, kKrassovsky);
    EXPECT_EQ(few.problem().count, 2);
    EXPECT_EQ(few.problem().needed, 3);
}

// Residuals in north, east, up are the geocentric residuals turned into the local frame: a
// residual made purely in height shows as up.
TEST(CommonPointFit, HelmertResidualsAlsoInNorthEastUp) {
    std::mt19937_64 random(12);
    std::vector<CommonPoint> points = HelmertPoints(kTruth, 8, 0.0, random);
    const Geocentric g(kKrassovsky);
    const GeodeticPoint at =
        g.Inverse({points[4].target[0], points[4].target[1], points[4].target[2]});
    const GeocentricPoint raised = g.Forward({at.lat, at.lon, at.h + 0.05});
    points[4].target = {raised.X, raised.Y, raised.Z};
    const CommonPointFit& fit =
        Fit(FitHelmert7(points, RotationConvention::PositionVector, false, kKrassovsky));
    const std::array<double, 3>& neu = *fit.points[4].neu;
    EXPECT_GT(neu[2], 0.03);
    EXPECT_LT(std::hypot(neu[0], neu[1]), 0.3 * neu[2]);
    const auto& v = fit.points[4].v;
    EXPECT_NEAR(std::hypot(neu[0], neu[1], neu[2]), std::hypot(v[0], v[1], v[2]), 1e-12);
}

} // namespace
