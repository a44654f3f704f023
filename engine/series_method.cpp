// The classical series: the meridian arc's length and the footpoint latitude from a and f alone.
#include "engine/series_method.h"

#include <cmath>

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
    return Footpoint(MeridianArc(a, f)).Latitude(X);
}
