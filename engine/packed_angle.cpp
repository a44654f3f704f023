// Packed angle conversions, the ellipsoid's derived quantities, the meridian arc and its
// inverse, the footpoint latitude.
#include "packed_angle.h"

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

EllipsoidTerms DeriveEllipsoid(double a, double f) {
    const double b = a - f * a;
    const double a2 = a * a;
    const double b2 = b * b;
    const double e2 = (a2 - b2) / a2;
    const double ep2 = (a2 - b2) / b2;
    return {b, e2, ep2};
}

MeridianArc::MeridianArc(double a, double f) {
    const EllipsoidTerms ell = DeriveEllipsoid(a, f);
    e2 = ell.e2;
    ep2 = ell.ep2;
    p = a * (1.0 - e2);
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double e8 = e6 * e2;
    const double e10 = e8 * e2;
    A = 1.0 + 0.75 * e2 + 0.703125 * e4 + 0.68359375 * e6 + 0.67291259765625 * e8 +
        0.6661834716796875 * e10;
    Bc = 0.75 * e2 + 0.9375 * e4 + 1.025390625 * e6 + 1.07666015625 * e8 + 1.1103057861328125 * e10;
    C = 0.234375 * e4 + 0.41015625 * e6 + 0.538330078125 * e8 + 0.63446044921875 * e10;
    D = 0.068359375 * e6 + 0.15380859375 * e8 + 0.23792266845703125 * e10;
    E = 0.01922607421875 * e8 + 0.0528717041015625 * e10;
    F = 0.00528717041015625 * e10;
    k0 = p * A;
    k2 = -p * Bc / 2.0;
    k4 = p * C / 4.0;
    k6 = -p * D / 6.0;
    k8 = p * E / 8.0;
    k10 = -p * F / 10.0;
}

double MeridianArc::Length(double B) const {
    double s = k10 * std::sin(10.0 * B);
    s += k8 * std::sin(8.0 * B);
    s += k6 * std::sin(6.0 * B);
    s += k4 * std::sin(4.0 * B);
    s += k2 * std::sin(2.0 * B);
    s += k0 * B;
    return s;
}

double FootpointLatitude(double a, double f, double X) {
    const MeridianArc arc(a, f);
    const double k0 = arc.k0;
    const double q = X / k0;
    const double q2 = arc.p * arc.Bc / (k0 * -2.0);
    const double q4 = arc.p * arc.C / (k0 * 4.0);
    const double q6 = arc.p * arc.D / (k0 * -6.0);
    const double q8 = arc.p * arc.E / (k0 * 8.0);
    const double q10 = arc.p * arc.F / (k0 * -10.0);

    double B = 0.0;
    double Bn = B;
    for (int pass = 0; pass < kFootpointMaxPasses; ++pass) {
        Bn = q - q2 * std::sin(2.0 * B);
        Bn -= q4 * std::sin(4.0 * B);
        Bn -= q6 * std::sin(6.0 * B);
        Bn -= q8 * std::sin(8.0 * B);
        Bn -= q10 * std::sin(10.0 * B);
        // Written as "not >=" so that a NaN difference also ends the iteration.
        if (!(std::fabs(B - Bn) >= 1e-12)) {
            break;
        }
        B = Bn;
    }
    return Bn;
}
