// The desktop form's engine as the form runs it: the preset ellipsoids as it passes them (a, and
// f = 1.0 / alfa, taken from the engine's one preset table), and its forward and inverse runs,
// the zone chosen from the longitude or the easting.
#pragma once

#include "engine/ellipsoid.h"
#include "engine/gauss_projection.h"

struct FormEllipsoid {
    const char* name;
    double a;
    double f;
};

inline const FormEllipsoid kWgs84{"WGS1984", Wgs1984().a, Wgs1984().f()};
inline const FormEllipsoid kBeijing54{"Beijing1954", Beijing1954().a, Beijing1954().f()};

inline CGaussProjection Forward(const FormEllipsoid& e, int w, double B, double L) {
    CGaussProjection p;
    p.SetAll(w, e.a, e.f, B, L, 0.0, 0.0);
    p.ZoneFromL();
    p.BLToXY();
    return p;
}

inline CGaussProjection Inverse(const FormEllipsoid& e, int w, double X, double Y) {
    CGaussProjection p;
    p.SetAll(w, e.a, e.f, 0.0, 0.0, X, Y);
    p.ZoneFromY();
    p.XYToBL();
    return p;
}
