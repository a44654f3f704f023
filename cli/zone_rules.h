// The zone systems' rules that decide what gkconv accepts and writes: which zone numbers have a
// prefix in the easting, the prefix an easting carries, and the longitudes a forward projection
// takes. Every such rule of the converter lives here and nowhere else; the zone a longitude
// falls in is the engine's own whole-degree rule.
#pragma once

#include <cmath>

struct ZoneRules {
    explicit ZoneRules(int width) : width(width), lastZone(width == 3 ? 120 : 60) {}

    // Zones 1 to 60 (6°) or 1 to 120 (3°) have a prefix; zone 0 and those beyond do not.
    bool HasPrefix(double zone) const { return zone >= 1.0 && zone <= lastZone; }

    int width;
    int lastZone;
};

// The whole millions of an easting: the zone it names, as the engine reads it (truncated to an
// int), and beyond the range of an int as far as a double holds it. Inline: every converted
// record checks the prefix it writes.
inline double ZonePrefix(double Y) {
    if (std::fabs(Y) < 2147483647.0) {
        return static_cast<double>(static_cast<int>(Y) / 1000000);
    }
    return std::trunc(Y / 1000000.0);
}

// Longitudes a forward projection takes: a full turn from Greenwich eastwards.
inline bool IsLongitudeInRange(double degrees) {
    return degrees >= 0.0 && degrees < 360.0;
}
