// Packed degree-minute-second angles, the form in which the desktop program's fields and
// gkconv's --angles packed carry latitude and longitude.
//
// A packed angle is one double DDD.MMSSsss: whole degrees, two digits of whole minutes, then
// the seconds with their fraction divided by 10000 (31°41'41.6832" is 31.41416832). A negative
// angle carries the sign on every part.
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
