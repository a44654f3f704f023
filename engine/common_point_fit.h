// Estimation of transformation parameters from common points, points known in both systems,
// by least squares: the 7-parameter Helmert (3 points or more, not on one line), the
// 3-parameter translation (1 or more), and the plane 4-parameter similarity (2 or more).
//
// Each point contributes d observation equations (d = 3 geocentric, 2 plane) with unit
// weight; with n points and u parameters the redundancy is r = d n - u, the unit-weight
// standard error m0 = √(vᵀv / r), and each parameter's standard deviation m0 √(Q_jj) with Q
// the cofactor matrix of the parameters. The residuals v are target minus transformed source.
// With r = 0 the fit passes through every point: m0 and the standard deviations are absent.
//
// The models are solved about the centroid c of the source points, where they are well
// conditioned: V_T = T' + m R (V_S - c), x' = T'x + a (x - cx) - b (y - cy), …, and the
// parameters at the origin follow as T = T' - m R c (formed as (T' - c) - (s c + m K c), so no
// difference of geocentric magnitudes survives); their cofactors are propagated through the
// same relation. The Helmert model is nonlinear in the rotations and the scale and is solved
// by Gauss–Newton iteration (two or three steps); the plane model and the translation are
// linear and converge in one. Each step solves the design matrix by Householder QR with column
// pivoting (Eigen), never the normal equations.
//
// Gross errors are flagged, not removed, by the externally studentized residual: each point
// is compared with the fit of all the others. With v_i the point's residuals and H_ii its block
// of the hat matrix A (AᵀA)⁻¹ Aᵀ, the fit without it has
//   vᵀv_(i) = vᵀv - v_iᵀ (I - H_ii)⁻¹ v_i,   r_(i) = r - d,   s_(i)² = vᵀv_(i) / r_(i),
// and the statistic T_i = v_iᵀ (I - H_ii)⁻¹ v_i / (d s_(i)²) follows Fisher's F(d, r_(i)) when
// the point is sound. The point is flagged when T_i exceeds the F quantile at significance
// kFlagSignificance (0.1 % per point). Departures, each stated:
// - the fits without each point come from the identity above, not from n refits: exact for
//   the linear models, and for the Helmert model exact to first order in its rotations
//   (10⁻⁵ of the statistic), so 10 000 points take milliseconds;
// - s_(i) is taken as at least kFlagFloor (0.1 mm): coordinates are given to the millimetre
//   or so, and points that agree to rounding must not be flagged because the rest agree
//   better still;
// - a point without which the rest have no redundancy left (r_(i) = 0) or do not determine
//   the parameters (the others on one line) cannot be tested: its statistic is absent;
// - the exact-rotation Helmert is iterated with the small-angle Jacobian: the fixed point
//   differs from the least-squares one by 10⁻⁵ of the parameters' own uncertainty.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/helmert.h"
#include "engine/plane_similarity.h"
#include "engine/problem.h"

enum class FitModel {
    Helmert7,
    Helmert3,
    Plane4,
};

// One point in both systems: geocentric X, Y, Z (m), or plane x (north), y (east) and 0.
struct CommonPoint {
    std::string name;
    std::array<double, 3> source;
    std::array<double, 3> target;
};

struct PointFit {
    std::string name;
    std::array<double, 3> v{}; // target - transformed source: X Y Z, or x y and 0
    // For the Helmert models: v in the local north, east, up at the target point.
    std::optional<std::array<double, 3>> neu;
    std::optional<double> statistic; // T_i, when the point can be tested
    bool flagged = false;
};

struct CommonPointFit {
    FitModel model = FitModel::Helmert7;
    HelmertParams helmert;       // Helmert7 and Helmert3
    PlaneSimilarityParams plane; // Plane4
    // Standard deviations in the parameters' own units (m, arc-seconds, ppm), when r > 0.
    std::optional<HelmertParams> helmertSigma;
    std::optional<PlaneSimilarityParams> planeSigma;
    int redundancy = 0;
    std::optional<double> m0; // metres, when r > 0
    // The F quantile every testable point's statistic is compared with, and its degrees of
    // freedom (d, r - d).
    std::optional<double> flagThreshold;
    int flagDims = 0;
    int flagRedundancy = 0;
    std::vector<PointFit> points; // in the order given
};

using FitOutcome = Result<CommonPointFit>;

constexpr double kFlagSignificance = 0.001;
constexpr double kFlagFloor = 1e-4; // metres

// Points in geocentric coordinates; the local north, east, up of each residual is taken on
// the target ellipsoid. Refuses too few points, a point twice (by name, or a source position
// within a millimetre of another's), coordinates that are not finite, and, for 7 parameters,
// points on one line (within 10⁻⁶ of their extent).
FitOutcome FitHelmert7(const std::vector<CommonPoint>& points, RotationConvention convention,
                       bool exactRotation, const Ellipsoid& targetEllipsoid);
FitOutcome FitHelmert3(const std::vector<CommonPoint>& points, const Ellipsoid& targetEllipsoid);
// Points as plane x, y.
FitOutcome FitPlane4(const std::vector<CommonPoint>& points);
