// The ellipsoid value, its check, and the preset table.
#include "engine/ellipsoid.h"

#include <array>
#include <cmath>

namespace {

const std::array<EllipsoidPreset, 4> kPresets = {{
    {"wgs84", "WGS1984参考椭球", 6378137.0, 298.2572235635},
    {"xian80", "西安1980参考椭球", 6378140.0, 298.257},
    {"beijing54", "北京1954参考椭球", 6378245.0, 298.3},
    {"cgcs2000", "CGCS2000参考椭球", 6378137.0, 298.257222101},
}};

} // namespace

Result<void> Ellipsoid::Check(double a, double f) {
    if (!(std::isfinite(a) && a > 0.0)) {
        return Problem{.code = ProblemCode::SemiMajorAxis, .value = a};
    }
    if (!(f >= 0.0 && f < 1.0)) {
        return Problem{.code = ProblemCode::Flattening, .value = f};
    }
    return {};
}

Ellipsoid::Ellipsoid(double a, double f) : m_a(a), m_f(f) {
    if (Result<void> check = Check(a, f); !check) {
        throw ProblemError(check.problem());
    }
    // The same steps as the form's engine has always taken, so both see the same e² and e'².
    m_b = a - f * a;
    const double a2 = a * a;
    const double b2 = m_b * m_b;
    m_e2 = (a2 - b2) / a2;
    m_ep2 = (a2 - b2) / b2;
    m_n = f / (2.0 - f);
}

std::span<const EllipsoidPreset> EllipsoidPresets() {
    return kPresets;
}

const EllipsoidPreset* FindEllipsoidPreset(std::string_view key) {
    for (const EllipsoidPreset& preset : kPresets) {
        if (preset.key == key) {
            return &preset;
        }
    }
    return nullptr;
}

const EllipsoidPreset& Wgs1984() {
    return kPresets[0];
}
const EllipsoidPreset& Xian1980() {
    return kPresets[1];
}
const EllipsoidPreset& Beijing1954() {
    return kPresets[2];
}
const EllipsoidPreset& Cgcs2000() {
    return kPresets[3];
}
