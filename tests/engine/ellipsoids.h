// The preset ellipsoids as the form passes them to its engine (a, and f = 1.0 / alfa), taken
// from the engine's one preset table.
#pragma once

#include "engine/ellipsoid.h"

struct FormEllipsoid {
    const char* name;
    double a;
    double f;
};

inline FormEllipsoid FromPreset(const char* name, const EllipsoidPreset& preset) {
    return {name, preset.a, preset.f()};
}

inline const FormEllipsoid kWgs84 = FromPreset("WGS1984", Wgs1984());
inline const FormEllipsoid kXian80 = FromPreset("Xian1980", Xian1980());
inline const FormEllipsoid kBeijing54 = FromPreset("Beijing1954", Beijing1954());
inline const FormEllipsoid kCgcs2000 = FromPreset("CGCS2000", Cgcs2000());
