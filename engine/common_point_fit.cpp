// Least-squares estimation of transformation parameters from common points, with the
// leave-one-out test of each point.
#include "engine/common_point_fit.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

#include <Eigen/Dense>

#include "engine/fisher_distribution.h"

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

const double kArcSecond = std::acos(-1.0) / (180.0 * 3600.0);

// A model linearised at parameters p: for point i, its residuals v (observed - model, d of
// them) and the model's derivatives J (d × u).
struct Model {
    int d;
    int u;
    std::function<void(int i, const VectorXd& p, double* v, MatrixXd& J)> evaluate;
};

struct Solution {
    VectorXd p;
    MatrixXd Q; // (AᵀA)⁻¹, the cofactors of p
    double vtv = 0.0;
};

// Gauss–Newton over the n points: each step solves A Δ = v by column-pivoted QR on the
// column-scaled design matrix. Nothing when the design has lost rank or the steps do not
// settle.
std::optional<Solution> Solve(const Model& model, int n, VectorXd p) {
    const int rows = model.d * n;
    MatrixXd A(rows, model.u);
    VectorXd l(rows);
    MatrixXd J(model.d, model.u);
    auto linearise = [&] {
        for (int i = 0; i < n; ++i) {
            model.evaluate(i, p, l.data() + model.d * i, J);
            A.middleRows(model.d * i, model.d) = J;
        }
    };
    for (int step = 0; step < 50; ++step) {
        linearise();
        const VectorXd scale = A.colwise().norm().cwiseInverse().transpose();
        if (!scale.allFinite()) {
            return std::nullopt;
        }
        const MatrixXd As = A * scale.asDiagonal();
        Eigen::ColPivHouseholderQR<MatrixXd> qr(As);
        qr.setThreshold(1e-12);
        if (qr.rank() < model.u) {
            return std::nullopt;
        }
        const VectorXd delta = scale.asDiagonal() * qr.solve(l);
        p += delta;
        // The step's effect on the model, in metres: done when it is below a tenth of a
        // micrometre, where the next step would move nothing but rounding.
        const double moved = (A * delta).cwiseAbs().maxCoeff();
        if (!std::isfinite(moved)) {
            return std::nullopt;
        }
        if (moved < 1e-7) {
            linearise();
            const MatrixXd N = As.transpose() * As;
            Solution solution;
            solution.Q = scale.asDiagonal() * N.ldlt().solve(MatrixXd::Identity(model.u, model.u)) *
                         scale.asDiagonal();
            solution.vtv = l.squaredNorm();
            solution.p = p;
            return solution;
        }
    }
    return std::nullopt;
}

// Checks every fit shares: enough points, finite coordinates, no point twice.
Result<void> CheckPoints(const std::vector<CommonPoint>& points, int needed, int dims) {
    const int count = static_cast<int>(points.size());
    for (const CommonPoint& point : points) {
        for (int k = 0; k < dims; ++k) {
            if (!std::isfinite(point.source[k]) || !std::isfinite(point.target[k])) {
                return Problem{.code = ProblemCode::CommonPointNotFinite, .text = point.name};
            }
        }
    }
    std::vector<int> order(points.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int i, int j) { return points[i].name < points[j].name; });
    for (std::size_t k = 1; k < order.size(); ++k) {
        const CommonPoint& a = points[order[k - 1]];
        const CommonPoint& b = points[order[k]];
        if (a.name == b.name) {
            return Problem{
                .code = ProblemCode::CommonPointRepeated, .text = a.name, .other = b.name};
        }
    }
    // Positions within a millimetre: sorted by the first coordinate, only neighbours within a
    // millimetre of it need the full comparison.
    std::sort(order.begin(), order.end(),
              [&](int i, int j) { return points[i].source[0] < points[j].source[0]; });
    for (std::size_t k = 0; k < order.size(); ++k) {
        const CommonPoint& a = points[order[k]];
        for (std::size_t j = k + 1;
             j < order.size() && points[order[j]].source[0] - a.source[0] < 1e-3; ++j) {
            const CommonPoint& b = points[order[j]];
            double d2 = 0.0;
            for (int c = 0; c < dims; ++c) {
                d2 += (a.source[c] - b.source[c]) * (a.source[c] - b.source[c]);
            }
            if (d2 < 1e-6) {
                return Problem{
                    .code = ProblemCode::CommonPointRepeated, .text = a.name, .other = b.name};
            }
        }
    }
    if (count < needed) {
        return Problem{.code = ProblemCode::TooFewCommonPoints, .count = count, .needed = needed};
    }
    return {};
}

std::array<double, 3> SourceCentroid(const std::vector<CommonPoint>& points) {
    std::array<double, 3> c{0.0, 0.0, 0.0};
    for (const CommonPoint& point : points) {
        for (int k = 0; k < 3; ++k) {
            c[k] += point.source[k];
        }
    }
    for (double& ck : c) {
        ck /= static_cast<double>(points.size());
    }
    return c;
}

// Residuals, m0 and the leave-one-out statistics, shared by every model.
void Assess(const Model& model, const Solution& solution, int n, CommonPointFit& fit) {
    const int d = model.d;
    fit.redundancy = d * n - model.u;
    if (fit.redundancy > 0) {
        fit.m0 = std::sqrt(solution.vtv / fit.redundancy);
    }
    const int rTest = fit.redundancy - d;
    if (rTest > 0) {
        fit.flagThreshold = FisherQuantile(1.0 - kFlagSignificance, d, rTest);
        fit.flagDims = d;
        fit.flagRedundancy = rTest;
    }
    MatrixXd J(d, model.u);
    double v[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < n; ++i) {
        model.evaluate(i, solution.p, v, J);
        PointFit& point = fit.points[i];
        std::copy(v, v + d, point.v.begin());
        if (rTest <= 0) {
            continue;
        }
        const MatrixXd IminusH = MatrixXd::Identity(d, d) - J * solution.Q * J.transpose();
        // Without this point the others no longer determine the parameters.
        if (Eigen::SelfAdjointEigenSolver<MatrixXd>(IminusH).eigenvalues().minCoeff() < 1e-9) {
            continue;
        }
        const Eigen::Map<const VectorXd> vi(v, d);
        const double q = vi.dot(IminusH.ldlt().solve(vi));
        const double s2 = std::max((solution.vtv - q) / rTest, kFlagFloor * kFlagFloor);
        point.statistic = q / (d * s2);
        point.flagged = *point.statistic > *fit.flagThreshold;
    }
}

void StartPoints(const std::vector<CommonPoint>& points, CommonPointFit& fit) {
    fit.points.clear();
    for (const CommonPoint& point : points) {
        PointFit pointFit;
        pointFit.name = point.name;
        fit.points.push_back(pointFit);
    }
}

// Each Helmert residual also in the local north, east, up at its target point.
void AddNeu(const std::vector<CommonPoint>& points, const Ellipsoid& targetEllipsoid,
            CommonPointFit& fit) {
    const Geocentric target(targetEllipsoid);
    const double degree = std::acos(-1.0) / 180.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto& t = points[i].target;
        const GeodeticPoint g = target.Inverse({t[0], t[1], t[2]});
        const double sinB = std::sin(g.lat * degree), cosB = std::cos(g.lat * degree);
        const double sinL = std::sin(g.lon * degree), cosL = std::cos(g.lon * degree);
        const auto& v = fit.points[i].v;
        fit.points[i].neu = std::array<double, 3>{
            -sinB * cosL * v[0] - sinB * sinL * v[1] + cosB * v[2], -sinL * v[0] + cosL * v[1],
            cosB * cosL * v[0] + cosB * sinL * v[1] + sinB * v[2]};
    }
}

Result<void> CheckCollinear(const std::vector<CommonPoint>& points,
                            const std::array<double, 3>& c) {
    Eigen::Matrix3d scatter = Eigen::Matrix3d::Zero();
    for (const CommonPoint& point : points) {
        const Eigen::Vector3d dp(point.source[0] - c[0], point.source[1] - c[1],
                                 point.source[2] - c[2]);
        scatter += dp * dp.transpose();
    }
    const Eigen::Vector3d lambda =
        Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(scatter).eigenvalues(); // ascending
    // Width across the best line against the extent along it.
    if (!(std::sqrt(lambda[0] + lambda[1]) > 1e-6 * std::sqrt(lambda[2]))) {
        return Problem{.code = ProblemCode::CommonPointsCollinear};
    }
    return {};
}

} // namespace

FitOutcome FitHelmert7(const std::vector<CommonPoint>& points, RotationConvention convention,
                       bool exactRotation, const Ellipsoid& targetEllipsoid) {
    if (Result<void> check = CheckPoints(points, 3, 3); !check) {
        return check.problem();
    }
    const std::array<double, 3> c = SourceCentroid(points);
    if (Result<void> check = CheckCollinear(points, c); !check) {
        return check.problem();
    }
    const bool transpose = convention == RotationConvention::PositionVector;
    // Rotations about the axes turn d = V_S - c by ∂(R d)/∂r, in the coordinate frame
    // convention (0, dz, -dy), (-dz, 0, dx), (dy, -dx, 0) to first order; the position vector
    // convention's are their negatives.
    const double sign = transpose ? -1.0 : 1.0;
    // p = (T'x, T'y, T'z, rx, ry, rz in radians, s as a fraction).
    auto rotation = [&](const VectorXd& p) {
        auto R = HelmertRotation(p[3], p[4], p[5], exactRotation);
        if (transpose) {
            for (int i = 0; i < 3; ++i) {
                for (int j = i + 1; j < 3; ++j) {
                    std::swap(R[i][j], R[j][i]);
                }
            }
        }
        return R;
    };
    const Model model{
        3, 7, [&](int i, const VectorXd& p, double* v, MatrixXd& J) {
            const auto R = rotation(p);
            const double m = 1.0 + p[6];
            const auto& s = points[i].source;
            const auto& t = points[i].target;
            const double d[3] = {s[0] - c[0], s[1] - c[1], s[2] - c[2]};
            double Rd[3];
            for (int k = 0; k < 3; ++k) {
                Rd[k] = R[k][0] * d[0] + R[k][1] * d[1] + R[k][2] * d[2];
                v[k] = t[k] - p[k] - m * Rd[k];
            }
            const double dR[3][3] = {{0.0, -d[2], d[1]}, {d[2], 0.0, -d[0]}, {-d[1], d[0], 0.0}};
            J.setZero();
            for (int k = 0; k < 3; ++k) {
                J(k, k) = 1.0;
                for (int a = 0; a < 3; ++a) {
                    J(k, 3 + a) = sign * m * dR[k][a];
                }
                J(k, 6) = Rd[k];
            }
        }};
    VectorXd start = VectorXd::Zero(7);
    for (const CommonPoint& point : points) {
        for (int k = 0; k < 3; ++k) {
            start[k] += point.target[k] / static_cast<double>(points.size());
        }
    }
    const int n = static_cast<int>(points.size());
    const std::optional<Solution> solution = Solve(model, n, start);
    if (!solution) {
        return Problem{.code = ProblemCode::FitDidNotConverge};
    }
    const VectorXd& p = solution->p;
    const auto R = rotation(p);
    const double m = 1.0 + p[6];
    // T = (T' - c) - (s c + m (R - I) c), and its derivatives for the cofactors.
    MatrixXd G = MatrixXd::Zero(7, 7);
    double T[3];
    for (int k = 0; k < 3; ++k) {
        const double Kc =
            (R[k][0] - (k == 0)) * c[0] + (R[k][1] - (k == 1)) * c[1] + (R[k][2] - (k == 2)) * c[2];
        T[k] = (p[k] - c[k]) - (p[6] * c[k] + m * Kc);
        G(k, k) = 1.0;
        G(k, 6) = -(c[k] + Kc);
    }
    const double dRc[3][3] = {{0.0, -c[2], c[1]}, {c[2], 0.0, -c[0]}, {-c[1], c[0], 0.0}};
    for (int k = 0; k < 3; ++k) {
        for (int a = 0; a < 3; ++a) {
            G(k, 3 + a) = -sign * m * dRc[k][a];
        }
    }
    for (int a = 0; a < 3; ++a) {
        G(3 + a, 3 + a) = 1.0 / kArcSecond;
    }
    G(6, 6) = 1e6;

    CommonPointFit fit;
    fit.model = FitModel::Helmert7;
    fit.helmert = {T[0],
                   T[1],
                   T[2],
                   p[3] / kArcSecond,
                   p[4] / kArcSecond,
                   p[5] / kArcSecond,
                   p[6] * 1e6,
                   convention,
                   exactRotation};
    StartPoints(points, fit);
    Assess(model, *solution, n, fit);
    if (fit.m0) {
        const VectorXd sigma = (*fit.m0 * (G * solution->Q * G.transpose()).diagonal().cwiseSqrt());
        fit.helmertSigma = HelmertParams{sigma[0], sigma[1], sigma[2],   sigma[3],     sigma[4],
                                         sigma[5], sigma[6], convention, exactRotation};
    }
    AddNeu(points, targetEllipsoid, fit);
    return fit;
}

FitOutcome FitHelmert3(const std::vector<CommonPoint>& points, const Ellipsoid& targetEllipsoid) {
    if (Result<void> check = CheckPoints(points, 1, 3); !check) {
        return check.problem();
    }
    const Model model{3, 3, [&](int i, const VectorXd& p, double* v, MatrixXd& J) {
                          for (int k = 0; k < 3; ++k) {
                              v[k] = points[i].target[k] - points[i].source[k] - p[k];
                          }
                          J.setIdentity();
                      }};
    const int n = static_cast<int>(points.size());
    const std::optional<Solution> solution = Solve(model, n, VectorXd::Zero(3));
    if (!solution) {
        return Problem{.code = ProblemCode::FitDidNotConverge};
    }
    CommonPointFit fit;
    fit.model = FitModel::Helmert3;
    fit.helmert.tx = solution->p[0];
    fit.helmert.ty = solution->p[1];
    fit.helmert.tz = solution->p[2];
    StartPoints(points, fit);
    Assess(model, *solution, n, fit);
    if (fit.m0) {
        HelmertParams sigma;
        sigma.tx = *fit.m0 * std::sqrt(solution->Q(0, 0));
        sigma.ty = *fit.m0 * std::sqrt(solution->Q(1, 1));
        sigma.tz = *fit.m0 * std::sqrt(solution->Q(2, 2));
        fit.helmertSigma = sigma;
    }
    AddNeu(points, targetEllipsoid, fit);
    return fit;
}

FitOutcome FitPlane4(const std::vector<CommonPoint>& points) {
    if (Result<void> check = CheckPoints(points, 2, 2); !check) {
        return check.problem();
    }
    const std::array<double, 3> c = SourceCentroid(points);
    // p = (T'x, T'y, a - 1, b) with a = m cos θ, b = m sin θ.
    const Model model{2, 4, [&](int i, const VectorXd& p, double* v, MatrixXd& J) {
                          const double dx = points[i].source[0] - c[0];
                          const double dy = points[i].source[1] - c[1];
                          const double a = 1.0 + p[2];
                          v[0] = points[i].target[0] - p[0] - (a * dx - p[3] * dy);
                          v[1] = points[i].target[1] - p[1] - (p[3] * dx + a * dy);
                          J << 1.0, 0.0, dx, -dy, 0.0, 1.0, dy, dx;
                      }};
    VectorXd start = VectorXd::Zero(4);
    for (const CommonPoint& point : points) {
        start[0] += point.target[0] / static_cast<double>(points.size());
        start[1] += point.target[1] / static_cast<double>(points.size());
    }
    const int n = static_cast<int>(points.size());
    const std::optional<Solution> solution = Solve(model, n, start);
    if (!solution) {
        return Problem{.code = ProblemCode::FitDidNotConverge};
    }
    const VectorXd& p = solution->p;
    const double a = 1.0 + p[2];
    const double b = p[3];
    const double m = std::hypot(a, b);
    // m - 1 = (2(a - 1) + (a - 1)² + b²) / (m + 1), free of the cancellation of m - 1.
    const double mMinus1 = (2.0 * p[2] + p[2] * p[2] + b * b) / (m + 1.0);
    CommonPointFit fit;
    fit.model = FitModel::Plane4;
    fit.plane.dx = (p[0] - c[0]) - (p[2] * c[0] - b * c[1]);
    fit.plane.dy = (p[1] - c[1]) - (b * c[0] + p[2] * c[1]);
    fit.plane.theta = std::atan2(b, a) / kArcSecond;
    fit.plane.s = mMinus1 * 1e6;
    StartPoints(points, fit);
    Assess(model, *solution, n, fit);
    if (fit.m0) {
        MatrixXd G(4, 4);
        G << 1.0, 0.0, -c[0], c[1],                                        //
            0.0, 1.0, -c[1], -c[0],                                        //
            0.0, 0.0, -b / (m * m) / kArcSecond, a / (m * m) / kArcSecond, //
            0.0, 0.0, a / m * 1e6, b / m * 1e6;
        const VectorXd sigma = *fit.m0 * (G * solution->Q * G.transpose()).diagonal().cwiseSqrt();
        fit.planeSigma = PlaneSimilarityParams{sigma[0], sigma[1], sigma[2], sigma[3]};
    }
    return fit;
}
