// Zone rules of the converter.
#include "zone_rules.h"

#include <climits>
#include <cmath>

#include "packed_angle.h"

double ZonePrefix(double Y) {
    if (std::fabs(Y) < static_cast<double>(INT_MAX)) {
        return TruncateToInt(Y) / 1000000;
    }
    return std::trunc(Y / 1000000.0);
}
