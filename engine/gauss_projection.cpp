// The Gauss-Krüger projection: the classical series to the sixth power of the longitude
// difference for x and the fifth for y, with the meridian arc to sin 10B, and its inverse through
// the footpoint latitude.
//
// Every formula is evaluated in one fixed order, one statement per step where rounding order
// matters, so that the same inputs give the same bits on every build (fp-contract is off).
//
// Symbols: B latitude and l longitude difference (radians), t = tan B, c = cos B,
// eta2 = η² = e'² cos² B, N radius of curvature in the prime vertical, m = l cos B,
// Bf footpoint latitude, y reduced easting, n = y / N.
//
// Departures taken for robustness, none of which changes a result for real coordinates:
// - zone numbers are taken from doubles by a saturating conversion (NaN gives zone 0);
// - the zone prefix and central meridians are formed in double, so no int can overflow;
// - ZoneFromL divides by 3 or 6 (the system's width), never by a zero or negative width.
#include "gauss_projection.h"

#include <cmath>

#include "packed_angle.h"

namespace {

const double kPi = std::acos(-1.0);

// Integer part toward zero, as a double; non-finite values pass through.
double WholePart(double x) {
    return std::fabs(x) < 4503599627370496.0 ? static_cast<double>(static_cast<long long>(x)) : x;
}

} // namespace

void CGaussProjection::SetAll(int nZoneWidth, double a, double f, double B, double L, double X,
                              double Y) {
    m_nZoneWidth = nZoneWidth;
    m_a = a;
    m_f = f;
    m_B = B;
    m_L = L;
    m_X = X;
    m_Y = Y;
    m_L0 = 0.0;
}

void CGaussProjection::ZoneFromL() {
    const bool b3 = m_nZoneWidth == 3;
    const int D = TruncateToInt(m_L);
    const int n = D / (b3 ? 3 : 6);
    m_nZone = n;
    if (b3) {
        m_L0 = 3.0 * n;
        const double d = WholePart(m_L - m_L0);
        if (std::fabs(d) > 1.5) {
            m_nZone = n + 1;
            m_L0 = 3.0 * n + 3.0;
        }
    } else {
        m_L0 = 6.0 * n - 3.0;
        const double d = WholePart(m_L - m_L0);
        if (std::fabs(d) > 3.0) {
            m_nZone = n + 1;
            m_L0 = 6.0 * n + 3.0;
        }
    }
}

void CGaussProjection::ZoneFromY() {
    const int t = TruncateToInt(m_Y);
    const int n = t / 1000000;
    m_nZone = n;
    m_L0 = m_nZoneWidth == 3 ? 3.0 * n : 6.0 * n - 3.0;
}

void CGaussProjection::BLToXY() {
    const MeridianArc arc(m_a, m_f);
    const double e2 = arc.e2;
    const double ep2 = arc.ep2;

    const double Bdeg = PackedToDegrees(m_B);
    const double Ldeg = PackedToDegrees(m_L);

    const double B = Bdeg * kPi * (1.0 / 180.0);
    const double l = (Ldeg - m_L0) * kPi * (1.0 / 180.0);

    const double t = std::tan(B);
    const double c = std::cos(B);
    const double sinB = std::sin(B);
    const double eta2 = c * c * ep2;
    const double N = m_a / std::sqrt(1.0 - e2 * (sinB * sinB));
    const double m = l * c;

    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double eta4 = eta2 * eta2;
    const double m2 = m * m;
    const double m3 = m2 * m;
    const double m4 = m2 * m2;
    const double m5 = m4 * m;
    const double m6 = m4 * m2;

    const double x2 = m2 / 2.0;
    const double x4 = (5.0 - t2 + 9.0 * eta2 + 4.0 * eta4) * m4 * (1.0 / 24.0);
    const double x6 = (61.0 - 58.0 * t2 + t4) * m6 * (1.0 / 720.0);
    double X = N * t * (x2 + x4 + x6);
    X += arc.k10 * std::sin(10.0 * B);
    X += arc.k8 * std::sin(8.0 * B);
    X += arc.k6 * std::sin(6.0 * B);
    X += arc.k4 * std::sin(4.0 * B);
    X += arc.k2 * std::sin(2.0 * B);
    X += arc.k0 * B;

    const double y3 = (1.0 - t2 + eta2) * m3 * (1.0 / 6.0);
    const double y5 = (5.0 - 18.0 * t2 + t4 + 14.0 * eta2 - 58.0 * eta2 * t2) * m5 * (1.0 / 120.0);
    double Y = N * (m + y3 + y5);
    Y += static_cast<double>(m_nZone) * 1000000.0;
    Y += 500000.0;

    m_X = X;
    m_Y = Y;
}

void CGaussProjection::XYToBL() {
    const double Bf = FootpointLatitude(m_a, m_f, m_X);
    const EllipsoidTerms ell = DeriveEllipsoid(m_a, m_f);
    const double e2 = ell.e2;
    const double ep2 = ell.ep2;

    const double t = std::tan(Bf);
    const double c = std::cos(Bf);
    const double sinBf = std::sin(Bf);
    const double eta2 = c * c * ep2;
    const double V2 = eta2 + 1.0;
    const double N = m_a / std::sqrt(1.0 - e2 * (sinBf * sinBf));

    const double y = (m_Y - static_cast<double>(m_nZone) * 1000000.0) - 500000.0;
    const double n = y / N;

    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double n2 = n * n;
    const double n3 = n2 * n;
    const double n4 = n2 * n2;
    const double n5 = n4 * n;
    const double n6 = n4 * n2;

    const double b2 = V2 * t * y * y * 0.5 / (N * N);
    const double b4 = n4 * (5.0 + 3.0 * t2 + eta2 - 9.0 * eta2 * t2) * V2 * t * (1.0 / 24.0);
    const double b6 = n6 * (61.0 + 90.0 * t2 + 45.0 * t4) * V2 * t * (1.0 / 720.0);
    double B = Bf - b2;
    B += b4;
    B -= b6;

    const double l1 = y / (c * N);
    const double l3 = n3 * (1.0 + 2.0 * t2 + eta2) / (6.0 * c);
    const double l5 =
        n5 * (5.0 + 28.0 * t2 + 24.0 * t4 + 6.0 * eta2 + 8.0 * eta2 * t2) / (120.0 * c);
    double l = l1 - l3;
    l += l5;

    const double Bdeg = B * 180.0 / kPi;
    const double Ldeg = l * 180.0 / kPi + m_L0;

    m_B = DegreesToPacked(Bdeg);
    m_L = DegreesToPacked(Ldeg);
}

namespace {

void AdjacentZone(CGaussProjection& p, int nWidth) {
    p.m_nZoneWidth = nWidth;
    p.ZoneFromY();
    p.XYToBL();
    // The central meridian is whole degrees, so the packed difference has the true sign.
    if (p.m_L - p.m_L0 >= 0.0) {
        p.m_nZone = p.m_nZone + 1;
        p.m_L0 = p.m_L0 + p.m_nZoneWidth;
    } else {
        p.m_nZone = p.m_nZone - 1;
        p.m_L0 = p.m_L0 - p.m_nZoneWidth;
    }
    p.BLToXY();
}

void ZoneToZone(CGaussProjection& p, int nFrom, int nTo) {
    p.m_nZoneWidth = nFrom;
    p.ZoneFromY();
    p.XYToBL();
    p.m_nZoneWidth = nTo;
    p.ZoneFromL();
    p.BLToXY();
}

} // namespace

void CGaussProjection::AdjacentZone3() {
    AdjacentZone(*this, 3);
}
void CGaussProjection::AdjacentZone6() {
    AdjacentZone(*this, 6);
}
void CGaussProjection::Zone3To6() {
    ZoneToZone(*this, 3, 6);
}
void CGaussProjection::Zone6To3() {
    ZoneToZone(*this, 6, 3);
}
