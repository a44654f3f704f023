// Packed degree-minute-second angles and the meridian-arc series that both projection
// directions share.
//
// A packed angle is one double DDD.MMSSsss: whole degrees, two digits of whole minutes, then
// the seconds with their fraction divided by 10000 (31°41'41.6832" is 31.41416832). A negative
// angle carries the sign on every part.
//
// Symbols: a semi-major axis, f flattening, b semi-minor axis, e2 first and ep2 second
// eccentricity squared, B latitude in radians, X northing in metres.
#pragma once

// Integer part of x toward zero as an int, defined for every double: values beyond the int
// range saturate and NaN gives 0. Zone numbers are taken from user input that may be anything.
int TruncateToInt(double x);

// (M × 0.01 + S × 0.0001) + D, in that order. D and M whole numbers, S seconds.
double JoinPacked(double D, double M, double S);

// Parts of a packed angle: D and M whole numbers (held as doubles so that any input splits
// without narrowing), S the seconds with their fraction. Not normalised: 30.60 is (30, 60, 0).
struct PackedParts {
    double D;
    double M;
    double S;
};
PackedParts SplitPacked(double P);

// The same for a form that holds degrees and minutes as ints (saturating, see TruncateToInt).
void SplitPacked(double P, int& nDeg, int& nMin, double& dSec);

double PackedToDegrees(double P);
double DegreesToPacked(double d);

// b, e² and e'², computed afresh from a and f on every call.
struct EllipsoidTerms {
    double b;
    double e2;
    double ep2;
};
EllipsoidTerms DeriveEllipsoid(double a, double f);

// Meridian arc s(B) = k0 B + k2 sin 2B + ... + k10 sin 10B, with the sums it is built from
// (the footpoint iteration scales those sums rather than the k's).
struct MeridianArc {
    MeridianArc(double a, double f);

    // Arc length from the equator to latitude B (radians), in metres. The terms are added from
    // the smallest (k10) to the largest (k0 B), the order the forward projection uses, so that a
    // point on the central meridian gets exactly s(B) as its northing.
    double Length(double B) const;

    double e2;
    double ep2;
    double p; // a (1 - e²)
    double A, Bc, C, D, E, F;
    double k0, k2, k4, k6, k8, k10;
};

// The latitude Bf (radians) whose meridian arc on ellipsoid (a, f) equals X, by fixed-point
// iteration from B = 0 until two passes agree to 1e-12 rad.
double FootpointLatitude(double a, double f, double X);

// Geodetic X converges in at most 6 passes. Beyond |X| ≈ 2.6e10 m doubles can no longer resolve
// 1e-12 rad and the passes may alternate between two neighbours forever; the cap ends them.
inline constexpr int kFootpointMaxPasses = 50;
