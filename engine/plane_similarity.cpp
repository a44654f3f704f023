// The plane four-parameter similarity, forward and exact inverse.
#include "engine/plane_similarity.h"

#include <cmath>
#include <stdexcept>

namespace {

const double kArcSecond = std::acos(-1.0) / (180.0 * 3600.0);

} // namespace

Result<void> PlaneSimilarity::Check(const PlaneSimilarityParams& params) {
    const std::pair<const char*, double> values[] = {
        {"dx", params.dx}, {"dy", params.dy}, {"theta", params.theta}, {"s", params.s}};
    for (const auto& [name, value] : values) {
        if (!std::isfinite(value)) {
            return Problem{.code = ProblemCode::DatumParameterNotFinite, .other = name};
        }
    }
    if (!(1.0 + params.s * 1e-6 > 0.0)) {
        return Problem{.code = ProblemCode::DatumScaleNotPositive, .other = "s"};
    }
    return {};
}

PlaneSimilarity::PlaneSimilarity(const PlaneSimilarityParams& params)
    : m_params(params), m_m(1.0 + params.s * 1e-6) {
    if (Result<void> check = Check(params); !check) {
        throw ProblemError(check.problem());
    }
    const double theta = params.theta * kArcSecond;
    const double sinTheta = std::sin(theta);
    const double cosTheta = std::cos(theta);
    const double sinHalf = std::sin(theta / 2.0);
    // cos θ - 1 = -2 sin²(θ/2), without the cancellation of cos θ - 1.
    const double cosm1 = -2.0 * sinHalf * sinHalf;
    const double sm = params.s * 1e-6;
    m_c = sm * cosTheta + cosm1;
    m_ms = m_m * sinTheta;
    // cos θ / m - 1 = (cos θ - 1 - s·10⁻⁶) / m
    m_cinv = (cosm1 - sm) / m_m;
    m_sinv = sinTheta / m_m;
}

PlanePoint PlaneSimilarity::Forward(const PlanePoint& source) const {
    const double x = source.x;
    const double y = source.y;
    const double dxCorr = m_params.dx + (m_c * x - m_ms * y);
    const double dyCorr = m_params.dy + (m_ms * x + m_c * y);
    return {x + dxCorr, y + dyCorr};
}

// x = (u cos θ + w sin θ) / m, y = (-u sin θ + w cos θ) / m with u = x' - Δx, w = y' - Δy.
PlanePoint PlaneSimilarity::Inverse(const PlanePoint& target) const {
    const double u = target.x - m_params.dx;
    const double w = target.y - m_params.dy;
    const double uCorr = m_cinv * u + m_sinv * w;
    const double wCorr = -m_sinv * u + m_cinv * w;
    return {u + uCorr, w + wCorr};
}
