// Packed angle conversions.
#include "engine/packed_angle.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace {

// 2^52: every double at least this large is already a whole number.
constexpr double kWholeFrom = 4503599627370496.0;

// Integer part toward zero. Inline and branch-light because the projections call it four times
// per point; NaN and infinities come back unchanged.
inline double Truncate(double x) {
    if (std::fabs(x) < kWholeFrom) {
        return static_cast<double>(static_cast<std::int64_t>(x));
    }
    return x;
}

} // namespace

int TruncateToInt(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    if (x >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (x <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(x);
}

double JoinPacked(double D, double M, double S) {
    const double ms = M * 0.01 + S * 0.0001;
    return ms + D;
}

PackedParts SplitPacked(double P) {
    const double D = Truncate(P);
    const double u = (P - D) * 100.0;
    double M = Truncate(u);
    double S = (u - M) * 100.0;
    // The double nearest a written value may lie just below it (30.15 is held as
    // 30.1499999999999985..., which would read as 14 minutes and 99.99999999999 seconds) or just
    // above it (30.60 would keep 1.4e-11 seconds). Such a u lies within a few units in the last
    // place of P from a whole minute: take that minute and no seconds. The window grows with |P|
    // as the representation error does, and stays far below the 1e-10 seconds the form shows
    // for angles within a full turn.
    const double window = 1e-12 * std::fmax(1.0, std::fabs(P));
    const double frac = std::fabs(u - M);
    if (frac > 1.0 - window) {
        M += std::copysign(1.0, u);
        S = 0.0;
    } else if (frac < window) {
        S = 0.0;
    }
    return {D, M, S};
}

void SplitPacked(double P, int& nDeg, int& nMin, double& dSec) {
    const PackedParts parts = SplitPacked(P);
    nDeg = TruncateToInt(parts.D);
    nMin = TruncateToInt(parts.M);
    dSec = parts.S;
}

double PackedToDegrees(double P) {
    const PackedParts parts = SplitPacked(P);
    const double seconds = parts.S * (1.0 / 3600.0);
    const double minutes = parts.M * (1.0 / 60.0);
    return (seconds + minutes) + parts.D;
}

double DegreesToPacked(double d) {
    const double D = Truncate(d);
    const double r = d - D;
    const double M = Truncate(r * 60.0);
    const double S = (r * 60.0 - M) * 60.0;
    return JoinPacked(D, M, S);
}
