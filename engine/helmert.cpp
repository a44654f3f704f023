// The Helmert transformation, forward and exact inverse.
#include "engine/helmert.h"

#include <cmath>
#include <stdexcept>

namespace {

const double kArcSecond = std::acos(-1.0) / (180.0 * 3600.0);

} // namespace

std::array<std::array<double, 3>, 3> HelmertRotation(double rx, double ry, double rz, bool exact) {
    if (!exact) {
        return {{{1.0, rz, -ry}, {-rz, 1.0, rx}, {ry, -rx, 1.0}}};
    }
    // R3(rz) · R2(ry) · R1(rx), multiplied out.
    const double cx = std::cos(rx), sx = std::sin(rx);
    const double cy = std::cos(ry), sy = std::sin(ry);
    const double cz = std::cos(rz), sz = std::sin(rz);
    return {{{cy * cz, cx * sz + sx * sy * cz, sx * sz - cx * sy * cz},
             {-cy * sz, cx * cz - sx * sy * sz, sx * cz + cx * sy * sz},
             {sy, -sx * cy, cx * cy}}};
}

Result<void> Helmert::Check(const HelmertParams& params) {
    const std::pair<const char*, double> values[] = {
        {"tx", params.tx}, {"ty", params.ty}, {"tz", params.tz}, {"rx", params.rx},
        {"ry", params.ry}, {"rz", params.rz}, {"s", params.s}};
    for (const auto& [name, value] : values) {
        if (!std::isfinite(value)) {
            return Problem{.code = ProblemCode::DatumParameterNotFinite, .other = name};
        }
    }
    if (!(1.0 + params.s * 1e-6 > 0.0)) {
        return Problem{.code = ProblemCode::DatumScaleNotPositive, .other = "s"};
    }
    if (params.HasRotation() && !params.convention) {
        return Problem{.code = ProblemCode::RotationWithoutConvention};
    }
    return {};
}

Helmert::Helmert(const HelmertParams& params) : m_params(params), m_m(1.0 + params.s * 1e-6) {
    if (Result<void> check = Check(params); !check) {
        throw ProblemError(check.problem());
    }
    const Matrix R = HelmertRotation(params.rx * kArcSecond, params.ry * kArcSecond,
                                     params.rz * kArcSecond, params.exactRotation);
    const bool transpose = params.convention == RotationConvention::PositionVector;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            m_K[i][j] = (transpose ? R[j][i] : R[i][j]) - (i == j ? 1.0 : 0.0);
        }
    }
    if (params.exactRotation) {
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                m_Kinv[i][j] = m_K[j][i];
            }
        }
        return;
    }
    // R = I + K with K = [ω]×: R⁻¹ - I = (ω ωᵀ - K - |ω|² I) / (1 + |ω|²).
    const double w[3] = {m_K[2][1], m_K[0][2], m_K[1][0]};
    const double w2 = w[0] * w[0] + w[1] * w[1] + w[2] * w[2];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            m_Kinv[i][j] = (w[i] * w[j] - m_K[i][j] - (i == j ? w2 : 0.0)) / (1.0 + w2);
        }
    }
}

// V_T = T + m (V_S + K V_S): the rotation's small part added to the point before scaling, so
// the large coordinates pass through one rounding each.
GeocentricPoint Helmert::Forward(const GeocentricPoint& source) const {
    const double V[3] = {source.X, source.Y, source.Z};
    double out[3];
    for (int i = 0; i < 3; ++i) {
        const double KV = m_K[i][0] * V[0] + m_K[i][1] * V[1] + m_K[i][2] * V[2];
        out[i] = m_m * (V[i] + KV);
    }
    return {m_params.tx + out[0], m_params.ty + out[1], m_params.tz + out[2]};
}

// V_S = (d + (R⁻¹ - I) d) / m with d = V_T - T.
GeocentricPoint Helmert::Inverse(const GeocentricPoint& target) const {
    const double d[3] = {target.X - m_params.tx, target.Y - m_params.ty, target.Z - m_params.tz};
    double out[3];
    for (int i = 0; i < 3; ++i) {
        const double Kd = m_Kinv[i][0] * d[0] + m_Kinv[i][1] * d[1] + m_Kinv[i][2] * d[2];
        out[i] = (d[i] + Kd) / m_m;
    }
    return {out[0], out[1], out[2]};
}
