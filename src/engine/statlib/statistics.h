#pragma once
// Statistics of a histogram given by its class probabilities (classes 1..n as p[0..n-1]) and the
// values x1, xn of its first and last class: class i lies at x1 + (i - 1)(xn - x1)/(n - 1).
// Results that are undefined for the input (no mass, no spread, too few values) are quiet NaN.
#include <span>
#include <string>

namespace tessavin {

double PrumerX(std::span<const double> p, int n, double x1, double xn); // mean of x
// Population variance about the given mean.
double RozptylX(std::span<const double> p, int n, double x1, double xn, double mean);
// Mean absolute deviation about the given mean.
double StrHodX(std::span<const double> p, int n, double x1, double xn, double mean);
// Coefficient of variation in percent; NaN for a zero mean.
double KoefVariX(double mean, double standardDeviation);

// Sample-corrected skewness G1 (count > 2) and excess kurtosis G2 (count > 3) of the histogram
// standing for `count` values; NaN when the histogram has no spread or the count is too small.
double Skewness(std::span<const double> p, int n, double x1, double xn, double mean, double count);
double Kurtosis(std::span<const double> p, int n, double x1, double xn, double mean, double count);

// Mean and population variance of n plain values (frequencies).
double PrumerY(std::span<const double> values, int n);
double RozptylY(std::span<const double> values, int n, double mean);

// Display text of the median: the x where the cumulative probability reaches half the total.
// interpolate: linear inside the class between its edges; otherwise the value of that class.
std::string VypMedian(bool interpolate, std::span<const double> p, double x1, double xn, int n);
// Display text of the value of the first class with the largest probability.
std::string VypMode(std::span<const double> p, int n, double x1, double xn);

// Tightness of a candidate histogram against the raw-data histogram over the same n classes:
// 1 - sum (c_i - r_i)^2 / (n * rawVariance). 1 for identical histograms, unbounded below,
// 0 when the raw frequencies have no variance; always a number (non-finite candidate frequencies
// give the lowest double). `unused` and `rawMean` take no part.
double VypocetCharTesnosti(int n, std::span<const double> candidate, double unused,
                           double rawVariance, double rawMean, std::span<const double> raw);

} // namespace tessavin
