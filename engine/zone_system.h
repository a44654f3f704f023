// ZoneSystem: the 3° and 6° zone systems of the Gauss-Krüger projection. Zone n has central
// meridian 3n (3° system) or 6n - 3 (6° system); the zones that exist are 1-120 and 1-60; an
// easting carries its zone number in the millions of metres.
//
// The zone of a longitude follows the whole-degree rule: only the whole degrees decide, so a
// 6° zone takes 2° west to just under 4° east of its central meridian, a 3° zone 1° west to
// just under 2° east. The rule works on anything whose integer part is the whole degrees:
// decimal degrees and packed DDD.MMSSsss angles alike.
//
// The rule is defined here in the header so that a caller who names its system gets it compiled
// for that width, with no call and no division by a width read at run time.
#pragma once

#include <cmath>
#include <optional>

#include "engine/packed_angle.h"

struct Zone {
    int number;
    double centralMeridian; // decimal degrees
};

class ZoneSystem {
public:
    static constexpr ZoneSystem Three() { return ZoneSystem(3); }
    static constexpr ZoneSystem Six() { return ZoneSystem(6); }
    // The system of this width, or nothing for a width other than 3 or 6.
    static std::optional<ZoneSystem> OfWidth(int width);

    constexpr int Width() const { return m_width; }
    constexpr int LastZone() const { return m_width == 3 ? 120 : 60; }
    constexpr bool Exists(int zone) const { return zone >= 1 && zone <= LastZone(); }

    // Follows the formula for any zone number, whether the zone exists or not.
    constexpr double CentralMeridian(int zone) const {
        return m_width == 3 ? 3.0 * zone : 6.0 * zone - 3.0;
    }

    // The zone the whole-degree rule gives this longitude (degrees east of Greenwich). Below 1°
    // the rule gives zone 0; any double gives some zone (NaN gives zone 0).
    Zone ZoneOfLongitude(double longitude) const {
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

    // The zone named by the millions of an easting (truncated toward zero, saturating).
    Zone ZoneOfEasting(double Y) const {
        const int n = TruncateToInt(Y) / 1000000;
        return {n, CentralMeridian(n)};
    }

private:
    constexpr explicit ZoneSystem(int width) : m_width(width) {}

    // Integer part toward zero, as a double; non-finite values pass through.
    static double WholePart(double x) {
        return std::fabs(x) < 4503599627370496.0 ? static_cast<double>(static_cast<long long>(x))
                                                 : x;
    }

    int m_width;
};
