// Krüger's n⁶ series, forward and inverse.
#include "krueger_method.h"

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
Complex SineSum(const std::array<double, 6>& p, double s2, double c2, double sh2, double ch2) {
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

// sin and cos of d. The series corrections of these methods stay below 0.004 rad on every
// real ellipsoid, where Taylor's series to d⁷ and d⁸ is exact in double precision and far
// cheaper than the library's; a flattening beyond any real ellipsoid takes the library's.
void SinCosOfSmall(double d, double& s, double& c) {
    if (std::fabs(d) > 0.01) {
        s = std::sin(d);
        c = std::cos(d);
        return;
    }
    const double d2 = d * d;
    s = d * (1.0 - d2 / 6.0 * (1.0 - d2 / 20.0 * (1.0 - d2 / 42.0)));
    c = 1.0 - d2 / 2.0 * (1.0 - d2 / 12.0 * (1.0 - d2 / 30.0 * (1.0 - d2 / 56.0)));
}

// sinh and cosh of d, likewise.
void SinhCoshOfSmall(double d, double& sh, double& ch) {
    if (std::fabs(d) > 0.01) {
        sh = std::sinh(d);
        ch = std::cosh(d);
        return;
    }
    const double d2 = d * d;
    sh = d * (1.0 + d2 / 6.0 * (1.0 + d2 / 20.0 * (1.0 + d2 / 42.0)));
    ch = 1.0 + d2 / 2.0 * (1.0 + d2 / 12.0 * (1.0 + d2 / 30.0 * (1.0 + d2 / 56.0)));
}

// atan2(y, x) for x > 0 through the cheaper atan.
double Atan2(double y, double x) {
    return x > 0.0 ? std::atan(y / x) : std::atan2(y, x);
}

// asinh(x) as log(|x| + sqrt(1 + x²)) given that square root; the absolute error stays at the
// last bit of 1, a tenth of a nanometre on the ground.
double Asinh(double x, double sqrt1px2) {
    return std::copysign(std::log(std::fabs(x) + sqrt1px2), x);
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
    const double slam = std::sin(lam);
    const double clam = std::cos(lam);

    // Conformal latitude chi = phi + sum gamma[j] sin 2j phi.
    const double s2phi = 2.0 * sphi * cphi;
    const double c2phi = (cphi - sphi) * (cphi + sphi);
    const double dchi = RealSineSum(terms.gammaP, s2phi, c2phi);
    double sd = 0.0;
    double cd = 0.0;
    SinCosOfSmall(dchi, sd, cd);
    const double schi = sphi * cd + cphi * sd;
    const double cchi = cphi * cd - sphi * sd;

    // On the conformal sphere: tan ξ' = tan chi / cos lam and sinh η' = cos chi sin lam / r,
    // with r = sqrt(sin² chi + cos² chi cos² lam) the common denominator of all three.
    const double u = cchi * clam;
    const double r = std::sqrt(schi * schi + u * u);
    const double sxip = schi / r;
    const double cxip = u / r;
    const double shetap = cchi * slam / r;
    const double chetap = std::sqrt(1.0 + shetap * shetap);
    const double xip = Atan2(schi, u);
    const double etap = Asinh(shetap, chetap);

    const double s2 = 2.0 * sxip * cxip;
    const double c2 = (cxip - sxip) * (cxip + sxip);
    const double sh2 = 2.0 * shetap * chetap;
    const double ch2 = chetap * chetap + shetap * shetap;
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
    const double E = std::exp(eta);
    const double sheta = 0.5 * (E - 1.0 / E);
    const double cheta = 0.5 * (E + 1.0 / E);
    const double s2 = 2.0 * sxi * cxi;
    const double c2 = (cxi - sxi) * (cxi + sxi);
    const double sh2 = 2.0 * sheta * cheta;
    const double ch2 = cheta * cheta + sheta * sheta;
    const Complex sum = SineSum(terms.betaP, s2, c2, sh2, ch2);

    // ξ' = xi - sum.re and η' = eta - sum.im, taken through their sines and cosines.
    double sd = 0.0;
    double cd = 0.0;
    SinCosOfSmall(sum.re, sd, cd);
    double shd = 0.0;
    double chd = 0.0;
    SinhCoshOfSmall(sum.im, shd, chd);
    const double sxip = sxi * cd - cxi * sd;
    const double cxip = cxi * cd + sxi * sd;
    const double shetap = sheta * chd - cheta * shd;

    // tan chi = sin ξ' / r, so chi = atan2(sin ξ', r) and cos² chi = r² / cosh² η'.
    const double r = std::sqrt(shetap * shetap + cxip * cxip);
    const double lam = std::atan2(shetap, cxip);
    const double chi = Atan2(sxip, r);

    const double ch2etap = 1.0 + shetap * shetap; // cosh² η' = r² + sin² ξ'
    const double s2chi = 2.0 * sxip * r / ch2etap;
    const double c2chi = (r * r - sxip * sxip) / ch2etap;
    const double phi = chi + RealSineSum(terms.deltaP, s2chi, c2chi);
    return {phi, lam};
}
