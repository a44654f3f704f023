// The classical series: the meridian arc's length and the footpoint latitude.
#include "engine/series_method.h"

#include <cmath>

#include "engine/detail/series_kernel.h"

namespace detail {

double MeridianArc::Length(double B) const {
    double s = s10 * std::sin(10.0 * B);
    s += s8 * std::sin(8.0 * B);
    s += s6 * std::sin(6.0 * B);
    s += s4 * std::sin(4.0 * B);
    s += s2 * std::sin(2.0 * B);
    s += s0 * B;
    return s;
}

} // namespace detail

double MeridianArcLength(const Ellipsoid& ellipsoid, double B) {
    return detail::MeridianArc(ellipsoid).Length(B);
}

double FootpointLatitude(const Ellipsoid& ellipsoid, double X) {
    return detail::Footpoint(detail::MeridianArc(ellipsoid)).Latitude(X);
}
