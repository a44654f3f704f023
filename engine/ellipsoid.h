// Ellipsoid: a reference ellipsoid as a checked value (semi-major axis a, flattening f) with the
// quantities every projection method derives from it, and the one table of named presets that
// the form, gkconv, the tests and the benchmarks share.
#pragma once

#include <span>
#include <string_view>

#include "engine/problem.h"

class Ellipsoid {
public:
    // Refuses what Check refuses with a ProblemError.
    Ellipsoid(double a, double f);

    // Whether (a, f) make an ellipsoid: a a positive finite length, f in [0, 1).
    static Result<void> Check(double a, double f);

    double a() const { return m_a; }
    double f() const { return m_f; }
    double b() const { return m_b; }
    double e2() const { return m_e2; }   // first eccentricity squared
    double ep2() const { return m_ep2; } // second eccentricity squared
    double n() const { return m_n; }     // third flattening (a - b) / (a + b)

private:
    double m_a;
    double m_f;
    double m_b;
    double m_e2;
    double m_ep2;
    double m_n;
};

struct EllipsoidPreset {
    std::string_view key;  // gkconv's --ellipsoid name
    std::string_view name; // the form's radio button text
    double a;              // metres
    double alfa;           // inverse flattening, as surveyors write it

    double f() const { return 1.0 / alfa; }
    Ellipsoid ellipsoid() const { return Ellipsoid(a, f()); }
};

// WGS1984 keeps alfa to ten decimals, as the form's tables have it (298.2572235635, not
// 298.257223563); CGCS2000 differs from it in alfa only.
std::span<const EllipsoidPreset> EllipsoidPresets();

// The preset with this key ("wgs84", "xian80", "beijing54", "cgcs2000"), or nullptr.
const EllipsoidPreset* FindEllipsoidPreset(std::string_view key);

// The presets by key, for code that names one directly.
const EllipsoidPreset& Wgs1984();
const EllipsoidPreset& Xian1980();
const EllipsoidPreset& Beijing1954();
const EllipsoidPreset& Cgcs2000();
