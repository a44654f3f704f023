// Fisher's F distribution: its quantiles, for the test that flags gross errors among common
// points. The distribution function is the regularized incomplete beta function
//   P(F ≤ f) = I_x(d1/2, d2/2) with x = d1 f / (d1 f + d2),
// evaluated by its continued fraction (Abramowitz and Stegun 26.5.8) in Lentz's form, and the
// quantile found by bisection on x, which converges whatever the degrees of freedom.
#pragma once

// I_x(a, b) for 0 ≤ x ≤ 1 and a, b > 0.
double RegularizedBeta(double x, double a, double b);

// The f with P(F ≤ f) = probability for F with d1 and d2 degrees of freedom (both ≥ 1);
// 0 < probability < 1.
double FisherQuantile(double probability, int d1, int d2);
