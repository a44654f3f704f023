// The preset ellipsoids as the form passes them: a and f = 1.0 / alfa.
#pragma once

struct Ellipsoid {
    const char* name;
    double a;
    double f;
};

inline const Ellipsoid kWgs84{"WGS1984", 6378137.0, 1.0 / 298.2572235635};
inline const Ellipsoid kXian80{"Xian1980", 6378140.0, 1.0 / 298.257};
inline const Ellipsoid kBeijing54{"Beijing1954", 6378245.0, 1.0 / 298.3};
