// ZoneSystem: the 3° and 6° zone systems of the Gauss-Krüger projection. Zone n has central
// meridian 3n (3° system) or 6n - 3 (6° system); the zones that exist are 1-120 and 1-60; an
// easting carries its zone number in the millions of metres.
//
// The zone of a longitude follows one of two rules. The whole-degree rule is the desktop form's
// own: only the whole degrees decide, so a 6° zone takes 2° west to just under 4° east of its
// central meridian, a 3° zone 1° west to just under 2° east. It works on anything whose integer
// part is the whole degrees: decimal degrees and packed DDD.MMSSsss angles alike. The standard
// rule is the national division that every EPSG code and map sheet follows: a zone reaches
// half its width either side of its central meridian (6° zone n from 6n - 6 to just under 6n,
// 3° zone n from 3n - 1.5 to just under 3n + 1.5); it needs decimal degrees. 114°30′E is 6° zone
// 19 by the whole-degree rule and zone 20 by the standard one.
//
// The rule is defined here in the header so that a caller who names its system gets it compiled
// for that width, with no call and no division by a width read at run time.
#pragma once

#include <cmath>
#include <optional>
#include <string_view>

#include "engine/packed_angle.h"

enum class ZoneRule {
    WholeDegree, // the form's rule, and the default everywhere
    Standard,    // the national division: 6° zone ⌊L/6⌋ + 1, 3° zone ⌊(L + 1.5)/3⌋
};

// "form" or "standard", or nothing.
std::optional<ZoneRule> ZoneRuleByName(std::string_view name);

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

    // The same system choosing zones of longitudes by this rule.
    constexpr ZoneSystem WithRule(ZoneRule rule) const { return ZoneSystem(m_width, rule); }

    constexpr int Width() const { return m_width; }
    constexpr ZoneRule Rule() const { return m_rule; }
    constexpr int LastZone() const { return m_width == 3 ? 120 : 60; }
    constexpr bool Exists(int zone) const { return zone >= 1 && zone <= LastZone(); }

    // Follows the formula for any zone number, whether the zone exists or not.
    constexpr double CentralMeridian(int zone) const {
        return m_width == 3 ? 3.0 * zone : 6.0 * zone - 3.0;
    }

    // The zone the system's rule gives this longitude (degrees east of Greenwich). Below 1° (6°
    // system) or 2° (3° system) the whole-degree rule gives zone 0, below 1.5° the standard 3°
    // rule too; any double gives some zone (NaN gives zone 0).
    Zone ZoneOfLongitude(double longitude) const {
        if (m_rule == ZoneRule::Standard) {
            return StandardZoneOfLongitude(longitude);
        }
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
    constexpr explicit ZoneSystem(int width, ZoneRule rule = ZoneRule::WholeDegree)
        : m_width(width), m_rule(rule) {}

    Zone StandardZoneOfLongitude(double longitude) const {
        const double q =
            m_width == 3 ? std::floor((longitude + 1.5) / 3.0) : std::floor(longitude / 6.0) + 1.0;
        // Beyond the range of int (or NaN) no zone exists; zone 0 is the one every caller refuses.
        const int n = std::fabs(q) < 1e9 ? static_cast<int>(q) : 0;
        return {n, CentralMeridian(n)};
    }

    // Integer part toward zero, as a double; non-finite values pass through.
    static double WholePart(double x) {
        return std::fabs(x) < 4503599627370496.0 ? static_cast<double>(static_cast<long long>(x))
                                                 : x;
    }

    int m_width;
    ZoneRule m_rule;
};
