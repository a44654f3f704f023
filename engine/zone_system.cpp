// Zone numbering and the whole-degree zone rule.
#include "zone_system.h"

#include <cmath>

#include "packed_angle.h"

namespace {

// Integer part toward zero, as a double; non-finite values pass through.
double WholePart(double x) {
    return std::fabs(x) < 4503599627370496.0 ? static_cast<double>(static_cast<long long>(x)) : x;
}

} // namespace

std::optional<ZoneSystem> ZoneSystem::OfWidth(int width) {
    if (width == 3 || width == 6) {
        return ZoneSystem(width);
    }
    return std::nullopt;
}

double ZoneSystem::CentralMeridian(int zone) const {
    return m_width == 3 ? 3.0 * zone : 6.0 * zone - 3.0;
}

Zone ZoneSystem::ZoneOfLongitude(double longitude) const {
    const int D = TruncateToInt(longitude);
    const int n = D / m_width;
    // The neighbour to the east takes the longitude when its whole degrees lie 2 or more (3°)
    // or 4 or more (6°) east of this zone's central meridian.
    const double L0 = CentralMeridian(n);
    const double d = WholePart(longitude - L0);
    const double reach = m_width == 3 ? 1.5 : 3.0;
    if (std::fabs(d) > reach) {
        return {n + 1, m_width == 3 ? 3.0 * n + 3.0 : 6.0 * n + 3.0};
    }
    return {n, L0};
}

Zone ZoneSystem::ZoneOfEasting(double Y) const {
    const int n = TruncateToInt(Y) / 1000000;
    return {n, CentralMeridian(n)};
}
