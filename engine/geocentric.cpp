// Geodetic to geocentric coordinates and back, on one ellipsoid.
#include "engine/geocentric.h"

#include <cmath>

namespace {

const double kDegree = std::acos(-1.0) / 180.0;

} // namespace

Geocentric::Geocentric(const Ellipsoid& ellipsoid)
    : m_ellipsoid(ellipsoid), m_a(ellipsoid.a()), m_e2(ellipsoid.e2()),
      m_e4(ellipsoid.e2() * ellipsoid.e2()) {}

GeocentricPoint Geocentric::Forward(const GeodeticPoint& point) const {
    const double B = point.lat * kDegree;
    const double L = point.lon * kDegree;
    const double sinB = std::sin(B);
    const double cosB = std::cos(B);
    const double N = m_a / std::sqrt(1.0 - m_e2 * sinB * sinB);
    const double Nh = N + point.h;
    // Z's radius N (1 - e²) + h written as (N + h) - e² N, so both sides of the equator and
    // every height take the same steps.
    const double Zr = Nh - m_e2 * N;
    return {Nh * cosB * std::cos(L), Nh * cosB * std::sin(L), Zr * sinB};
}

GeodeticPoint Geocentric::Inverse(const GeocentricPoint& point) const {
    const double X = point.X;
    const double Y = point.Y;
    const double Z = point.Z;
    const double P = std::sqrt(X * X + Y * Y);
    const double L = std::atan2(Y, X);
    const double a2 = m_a * m_a;
    const double p = P * P / a2;
    const double q = (1.0 - m_e2) * Z * Z / a2;
    const double r = (p + q - m_e4) / 6.0;
    const double s = m_e4 * p * q / (4.0 * r * r * r);
    const double s2s = s * (2.0 + s);
    if (r > 0.0 && s2s >= 0.0) {
        const double t = std::cbrt(1.0 + s + std::sqrt(s2s));
        const double u = r * (1.0 + t + 1.0 / t);
        const double v = std::sqrt(u * u + m_e4 * q);
        const double w = m_e2 * (u + v - q) / (2.0 * v);
        const double k = std::sqrt(u + v + w * w) - w;
        const double D = k * P / (k + m_e2);
        const double B = std::atan2(Z, D);
        const double h = (k + m_e2 - 1.0) / k * std::sqrt(D * D + Z * Z);
        return {B / kDegree, L / kDegree, h};
    }
    // Inside the evolute: B = atan2(Z + e² N sin B, P) taken to its fixed point, and the height
    // as the distance along the normal, which holds for any B.
    double B = std::atan2(Z, (1.0 - m_e2) * P);
    for (int i = 0; i < 40; ++i) {
        const double sinB = std::sin(B);
        const double N = m_a / std::sqrt(1.0 - m_e2 * sinB * sinB);
        B = std::atan2(Z + m_e2 * N * sinB, P);
    }
    const double sinB = std::sin(B);
    const double h = P * std::cos(B) + Z * sinB - m_a * std::sqrt(1.0 - m_e2 * sinB * sinB);
    return {B / kDegree, L / kDegree, h};
}
