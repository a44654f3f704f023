// A projection value and its two directions, for both methods.
#include "engine/projection.h"

#include <cmath>

namespace {

const double kPi = std::acos(-1.0);

} // namespace

std::optional<Method> MethodByName(std::string_view name) {
    if (name == "series") {
        return Method::Series;
    }
    if (name == "krueger") {
        return Method::Krueger;
    }
    return std::nullopt;
}

Result<void> Projection::Check(const ProjectionParams& params) {
    if (!std::isfinite(params.centralMeridian)) {
        return Problem{.code = ProblemCode::CentralMeridianNotFinite,
                       .value = params.centralMeridian};
    }
    if (!(std::isfinite(params.k0) && params.k0 > 0.0)) {
        return Problem{.code = ProblemCode::ScaleNotPositive, .value = params.k0};
    }
    if (!std::isfinite(params.falseEasting) || !std::isfinite(params.falseNorthing)) {
        return Problem{.code = ProblemCode::FalseOriginNotFinite};
    }
    return {};
}

Projection::Projection(const ProjectionParams& params)
    : m_params(params),
      m_prefix(params.zonePrefix ? static_cast<double>(*params.zonePrefix) * 1000000.0 : 0.0),
      m_arc(params.ellipsoid.a(), params.ellipsoid.f()), m_footpoint(m_arc),
      m_krueger(params.ellipsoid) {
    if (Result<void> check = Check(params); !check) {
        throw ProblemError(check.problem());
    }
}

Projection Projection::ForZone(const Ellipsoid& ellipsoid, ZoneSystem system, int zone,
                               Method method) {
    return Projection(ProjectionParams{ellipsoid, system.CentralMeridian(zone), 1.0, 500000.0, 0.0,
                                       zone, method});
}

PlanePoint Projection::Forward(double lat, double lon) const {
    // Radians by the same steps as the form's engine, so both give the same bits.
    const double B = lat * kPi * (1.0 / 180.0);
    const double l = (lon - m_params.centralMeridian) * kPi * (1.0 / 180.0);
    double x = 0.0;
    double y = 0.0;
    if (m_params.method == Method::Series) {
        const SeriesPlane p = SeriesForward(m_arc, B, l);
        x = p.x;
        y = p.y;
    } else {
        const KruegerPlane p = KruegerForward(m_krueger, B, l);
        x = p.x;
        y = p.y;
    }
    x = x * m_params.k0 + m_params.falseNorthing;
    y = y * m_params.k0;
    y += m_prefix;
    y += m_params.falseEasting;
    return {x, y};
}

GeoPoint Projection::Inverse(double x, double y) const {
    const double X = (x - m_params.falseNorthing) / m_params.k0;
    const double Y = ((y - m_prefix) - m_params.falseEasting) / m_params.k0;
    double B = 0.0;
    double l = 0.0;
    if (m_params.method == Method::Series) {
        const SeriesAngles a = SeriesInverse(m_arc, m_footpoint, X, Y);
        B = a.B;
        l = a.l;
    } else {
        const KruegerAngles a = KruegerInverse(m_krueger, X, Y);
        B = a.phi;
        l = a.lam;
    }
    return {B * 180.0 / kPi, l * 180.0 / kPi + m_params.centralMeridian};
}
