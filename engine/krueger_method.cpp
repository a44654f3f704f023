// Krüger's n⁶ series, forward and inverse.
#include "engine/krueger_method.h"

#include <cmath>

namespace {

struct Complex {
    double re;
    double im;
};

Complex operator*(Complex a, Complex b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

// p[0] + p[1] w + ... + p[5] w⁵ by Estrin's scheme: three short chains instead of one long one,
// since a point's cost is mostly the latency of its dependent steps.
Complex Polynomial(const std::array<double, 6>& p, Complex w) {
    const Complex w2 = w * w;
    const Complex w4 = w2 * w2;
    const Complex q0{p[0] + p[1] * w.re, p[1] * w.im};
    const Complex q1{p[2] + p[3] * w.re, p[3] * w.im};
    const Complex q2{p[4] + p[5] * w.re, p[5] * w.im};
    const Complex a = w2 * q1;
    const Complex b = w4 * q2;
    return {q0.re + a.re + b.re, q0.im + a.im + b.im};
}

// Σ c[j] sin(2jζ), j = 1..6, for complex ζ = xi + i eta, given sin/cos 2xi and sinh/cosh 2eta,
// as sin 2ζ · P(cos 2ζ) with P the coefficients' polynomial (see SinePolynomial).
inline Complex SineSum(const std::array<double, 6>& p, double s2, double c2, double sh2,
                       double ch2) {
    const Complex w{c2 * ch2, -s2 * sh2}; // cos 2ζ
    const Complex s{s2 * ch2, c2 * sh2};  // sin 2ζ
    return s * Polynomial(p, w);
}

// Σ c[j] sin(2jχ), j = 1..6, for real χ given sin 2χ and cos 2χ.
double RealSineSum(const std::array<double, 6>& p, double s2, double c2) {
    const double w2 = c2 * c2;
    const double w4 = w2 * w2;
    return s2 * ((p[0] + p[1] * c2) + w2 * (p[2] + p[3] * c2) + w4 * (p[4] + p[5] * c2));
}

// sin 2jθ = sin 2θ U_(j-1)(cos 2θ) with U Chebyshev's polynomials of the second kind, so
// Σ c[j] sin 2jθ = sin 2θ Σ p[k] cos^k 2θ with these p.
std::array<double, 6> SinePolynomial(const std::array<double, 7>& c) {
    return {c[1] - c[3] + c[5],
            2.0 * c[2] - 4.0 * c[4] + 6.0 * c[6],
            4.0 * c[3] - 12.0 * c[5],
            8.0 * c[4] - 32.0 * c[6],
            16.0 * c[5],
            32.0 * c[6]};
}

// Taylor's series of the elementary functions whose arguments stay small: sin d = d S(-d²),
// sinh d = d S(d²); 1 - cos d = d² V(-d²), cosh d - 1 = d² V(d²); atan t = t T(-t²),
// atanh t = t T(t²).
constexpr double kS[] = {1.0, 1.0 / 6, 1.0 / 120, 1.0 / 5040, 1.0 / 362880};
constexpr double kV[] = {1.0 / 2, 1.0 / 24, 1.0 / 720, 1.0 / 40320, 1.0 / 3628800};
constexpr double kT[] = {1.0, 1.0 / 3, 1.0 / 5, 1.0 / 7, 1.0 / 9, 1.0 / 11, 1.0 / 13, 1.0 / 15};

// An argument range and how many terms of S, V and T leave out less than 3e-17 (0.2 nm on the
// ground) within it; an argument outside takes the library's function.
struct Range {
    double bound;
    std::size_t s, v, t;
};
// Angles the size of the longitude difference: lam, eta and η' for every point within 7° of
// the central meridian.
constexpr Range kZone{0.125, 5, 5, 8};
// The series' corrections, below 0.004 on every real ellipsoid, and the angle between ξ' and
// chi, below 0.004 within 7° of the central meridian.
constexpr Range kCorrection{0.01, 3, 3, 4};

// c[0] + u (c[1] + u (...)) to Terms terms, unrolled.
template <std::size_t Terms, std::size_t K = 0, std::size_t N>
double Horner(const double (&c)[N], double u) {
    static_assert(Terms <= N);
    if constexpr (K + 1 == Terms) {
        return c[K];
    } else {
        return c[K] + u * Horner<Terms, K + 1>(c, u);
    }
}

// The helpers below are declared inline: each is a handful of products, and a call would make
// the caller spill every live register around it.
struct SinCos {
    double s;    // sin d
    double c;    // cos d
    double vers; // 1 - cos d, without the cancellation of taking it from c
};

template <Range R> inline SinCos SinCosOf(double d) {
    if (std::fabs(d) > R.bound) {
        const double c = std::cos(d);
        return {std::sin(d), c, 1.0 - c};
    }
    const double u = -d * d;
    const double vers = -u * Horner<R.v>(kV, u);
    return {d * Horner<R.s>(kS, u), 1.0 - vers, vers};
}

struct SinhCosh {
    double sh;
    double ch;
};

template <Range R> inline SinhCosh SinhCoshOf(double d) {
    if (std::fabs(d) > R.bound) {
        const double E = std::exp(d);
        return {0.5 * (E - 1.0 / E), 0.5 * (E + 1.0 / E)};
    }
    const double u = d * d;
    return {d * Horner<R.s>(kS, u), 1.0 + u * Horner<R.v>(kV, u)};
}

template <Range R> inline double Atan(double t) {
    return std::fabs(t) > R.bound ? std::atan(t) : t * Horner<R.t>(kT, -t * t);
}

template <Range R> inline double Atanh(double t) {
    return std::fabs(t) > R.bound ? std::atanh(t) : t * Horner<R.t>(kT, t * t);
}

// A polynomial in n with the given coefficients of n¹ .. n⁶ (Horner).
double InN(double n, double c1, double c2, double c3, double c4, double c5, double c6) {
    return n * (c1 + n * (c2 + n * (c3 + n * (c4 + n * (c5 + n * c6)))));
}

} // namespace

KruegerTerms::KruegerTerms(const Ellipsoid& ellipsoid) {
    const double n = ellipsoid.n();
    const double n2 = n * n;
    A = ellipsoid.a() / (1.0 + n) * (1.0 + n2 * (1.0 / 4 + n2 * (1.0 / 64 + n2 * (1.0 / 256))));

    alpha[0] = beta[0] = gamma[0] = delta[0] = 0.0;
    alpha[1] = InN(n, 1.0 / 2, -2.0 / 3, 5.0 / 16, 41.0 / 180, -127.0 / 288, 7891.0 / 37800);
    alpha[2] = InN(n, 0, 13.0 / 48, -3.0 / 5, 557.0 / 1440, 281.0 / 630, -1983433.0 / 1935360);
    alpha[3] = InN(n, 0, 0, 61.0 / 240, -103.0 / 140, 15061.0 / 26880, 167603.0 / 181440);
    alpha[4] = InN(n, 0, 0, 0, 49561.0 / 161280, -179.0 / 168, 6601661.0 / 7257600);
    alpha[5] = InN(n, 0, 0, 0, 0, 34729.0 / 80640, -3418889.0 / 1995840);
    alpha[6] = InN(n, 0, 0, 0, 0, 0, 212378941.0 / 319334400);

    beta[1] = InN(n, 1.0 / 2, -2.0 / 3, 37.0 / 96, -1.0 / 360, -81.0 / 512, 96199.0 / 604800);
    beta[2] = InN(n, 0, 1.0 / 48, 1.0 / 15, -437.0 / 1440, 46.0 / 105, -1118711.0 / 3870720);
    beta[3] = InN(n, 0, 0, 17.0 / 480, -37.0 / 840, -209.0 / 4480, 5569.0 / 90720);
    beta[4] = InN(n, 0, 0, 0, 4397.0 / 161280, -11.0 / 504, -830251.0 / 7257600);
    beta[5] = InN(n, 0, 0, 0, 0, 4583.0 / 161280, -108847.0 / 3991680);
    beta[6] = InN(n, 0, 0, 0, 0, 0, 20648693.0 / 638668800);

    gamma[1] = InN(n, -2.0, 2.0 / 3, 4.0 / 3, -82.0 / 45, 32.0 / 45, 4642.0 / 4725);
    gamma[2] = InN(n, 0, 5.0 / 3, -16.0 / 15, -13.0 / 9, 904.0 / 315, -1522.0 / 945);
    gamma[3] = InN(n, 0, 0, -26.0 / 15, 34.0 / 21, 8.0 / 5, -12686.0 / 2835);
    gamma[4] = InN(n, 0, 0, 0, 1237.0 / 630, -12.0 / 5, -24832.0 / 14175);
    gamma[5] = InN(n, 0, 0, 0, 0, -734.0 / 315, 109598.0 / 31185);
    gamma[6] = InN(n, 0, 0, 0, 0, 0, 444337.0 / 155925);

    delta[1] = InN(n, 2.0, -2.0 / 3, -2.0, 116.0 / 45, 26.0 / 45, -2854.0 / 675);
    delta[2] = InN(n, 0, 7.0 / 3, -8.0 / 5, -227.0 / 45, 2704.0 / 315, 2323.0 / 945);
    delta[3] = InN(n, 0, 0, 56.0 / 15, -136.0 / 35, -1262.0 / 105, 73814.0 / 2835);
    delta[4] = InN(n, 0, 0, 0, 4279.0 / 630, -332.0 / 35, -399572.0 / 14175);
    delta[5] = InN(n, 0, 0, 0, 0, 4174.0 / 315, -144838.0 / 6237);
    delta[6] = InN(n, 0, 0, 0, 0, 0, 601676.0 / 22275);

    alphaP = SinePolynomial(alpha);
    betaP = SinePolynomial(beta);
    gammaP = SinePolynomial(gamma);
    deltaP = SinePolynomial(delta);
}

KruegerPlane KruegerForward(const KruegerTerms& terms, double phi, double lam) {
    const double sphi = std::sin(phi);
    const double cphi = std::cos(phi);

    // Conformal latitude chi = phi + sum gamma[j] sin 2j phi.
    const double s2phi = 2.0 * sphi * cphi;
    const double c2phi = (cphi - sphi) * (cphi + sphi);
    const double dchi = RealSineSum(terms.gammaP, s2phi, c2phi);
    const SinCos d = SinCosOf<kCorrection>(dchi);
    const double chi = phi + dchi;
    const double schi = sphi * d.c + cphi * d.s;
    const double cchi = cphi * d.c - sphi * d.s;

    // On the conformal sphere tan ξ' = tan chi / cos lam and tanh η' = cos chi sin lam. Near
    // the central meridian ξ' is chi plus the small angle whose tangent is
    // sin chi cos chi (1 - cos lam) / (cos² chi cos lam + sin² chi); further out it is taken
    // from its tangent directly.
    const SinCos l = SinCosOf<kZone>(lam);
    const double u = cchi * l.c;
    const double xip =
        std::fabs(lam) > kZone.bound
            ? std::atan2(schi, u)
            : chi + Atan<kCorrection>(schi * cchi * l.vers / (cchi * u + schi * schi));
    const double thetap = cchi * l.s; // tanh η'
    const double etap = Atanh<kZone>(thetap);

    // With r² = sin² chi + cos² chi cos² lam = 1 / cosh² η': sin ξ' = sin chi / r,
    // cos ξ' = u / r, sinh η' = tanh η' / r and cosh η' = 1 / r, so the double angles share
    // the one divisor r².
    const double q = 1.0 / (schi * schi + u * u);
    const double s2 = 2.0 * schi * u * q;
    const double c2 = (u - schi) * (u + schi) * q;
    const double sh2 = 2.0 * thetap * q;
    const double ch2 = (1.0 + thetap * thetap) * q;
    const Complex sum = SineSum(terms.alphaP, s2, c2, sh2, ch2);

    const double xi = xip + sum.re;
    const double eta = etap + sum.im;
    return {terms.A * xi, terms.A * eta};
}

KruegerAngles KruegerInverse(const KruegerTerms& terms, double x, double y) {
    const double xi = x / terms.A;
    const double eta = y / terms.A;

    const double sxi = std::sin(xi);
    const double cxi = std::cos(xi);
    const SinhCosh e = SinhCoshOf<kZone>(eta);
    const double s2 = 2.0 * sxi * cxi;
    const double c2 = (cxi - sxi) * (cxi + sxi);
    const double sh2 = 2.0 * e.sh * e.ch;
    const double ch2 = e.ch * e.ch + e.sh * e.sh;
    const Complex sum = SineSum(terms.betaP, s2, c2, sh2, ch2);

    // ξ' = xi - sum.re and η' = eta - sum.im, taken through their sines and cosines.
    const double xip = xi - sum.re;
    const SinCos d = SinCosOf<kCorrection>(sum.re);
    const SinhCosh h = SinhCoshOf<kCorrection>(sum.im);
    const double sxip = sxi * d.c - cxi * d.s;
    const double cxip = cxi * d.c + sxi * d.s;
    const double shetap = e.sh * h.ch - e.ch * h.sh;

    // tan lam = sinh η' / cos ξ' and tan chi = sin ξ' / r with r² = sinh² η' + cos² ξ'. On
    // this side of the pole chi is ξ' less the small angle whose tangent is
    // sin ξ' sinh² η' / ((cos ξ' + r)(r cos ξ' + sin² ξ')); at and beyond it, where that has
    // no meaning, both come from their tangents directly.
    const double r = std::sqrt(shetap * shetap + cxip * cxip);
    double lam = 0.0;
    double chi = 0.0;
    if (cxip > 0.0) {
        lam = Atan<kZone>(shetap / cxip);
        chi = xip -
              Atan<kCorrection>(sxip * shetap * shetap / ((cxip + r) * (r * cxip + sxip * sxip)));
    } else {
        lam = std::atan2(shetap, cxip);
        chi = std::atan2(sxip, r);
    }

    const double ch2etap = 1.0 + shetap * shetap; // cosh² η' = r² + sin² ξ'
    const double s2chi = 2.0 * sxip * r / ch2etap;
    const double c2chi = (r * r - sxip * sxip) / ch2etap;
    const double phi = chi + RealSineSum(terms.deltaP, s2chi, c2chi);
    return {phi, lam};
}
