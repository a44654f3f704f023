// The F distribution's quantile through the regularized incomplete beta function.
#include "engine/fisher_distribution.h"

#include <cmath>
#include <initializer_list>

namespace {

// The continued fraction of I_x(a, b) · a / (x^a (1-x)^b / B(a, b)), by Lentz's method: its
// d-terms alternate between d_2m = m (b - m) x / ((a + 2m - 1)(a + 2m)) and
// d_2m+1 = -(a + m)(a + b + m) x / ((a + 2m)(a + 2m + 1)).
double BetaFraction(double x, double a, double b) {
    const double tiny = 1e-300;
    double c = 1.0;
    double d = 1.0 - (a + b) * x / (a + 1.0);
    d = 1.0 / (std::fabs(d) < tiny ? tiny : d);
    double fraction = d;
    for (int m = 1; m <= 1000; ++m) {
        const double m2 = 2.0 * m;
        for (const double term : {m * (b - m) * x / ((a + m2 - 1.0) * (a + m2)),
                                  -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0))}) {
            d = 1.0 + term * d;
            d = 1.0 / (std::fabs(d) < tiny ? tiny : d);
            c = 1.0 + term / c;
            c = std::fabs(c) < tiny ? tiny : c;
            fraction *= c * d;
            if (std::fabs(c * d - 1.0) < 1e-16) {
                return fraction;
            }
        }
    }
    return fraction;
}

} // namespace

double RegularizedBeta(double x, double a, double b) {
    if (x <= 0.0) {
        return 0.0;
    }
    if (x >= 1.0) {
        return 1.0;
    }
    const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                  a * std::log(x) + b * std::log1p(-x));
    // The fraction converges quickly below the mean (a + 1) / (a + b + 2); above it, the
    // symmetry I_x(a, b) = 1 - I_(1-x)(b, a).
    if (x < (a + 1.0) / (a + b + 2.0)) {
        return front * BetaFraction(x, a, b) / a;
    }
    return 1.0 - front * BetaFraction(1.0 - x, b, a) / b;
}

double FisherQuantile(double probability, int d1, int d2) {
    const double a = d1 / 2.0;
    const double b = d2 / 2.0;
    double low = 0.0;
    double high = 1.0;
    for (int i = 0; i < 200 && high - low > 1e-17; ++i) {
        const double mid = 0.5 * (low + high);
        (RegularizedBeta(mid, a, b) < probability ? low : high) = mid;
    }
    const double x = 0.5 * (low + high);
    return d2 * x / (d1 * (1.0 - x));
}
