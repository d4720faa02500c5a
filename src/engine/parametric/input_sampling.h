#pragma once
// How the simulation draws a random input of a parametric type: the input's Mi and Sigma are the
// mean and standard deviation of the type's density (the registry's parametrisation), from which
// it takes a location and a scale once; draws invert the uncut CDF. A registry row points to one
// of these when a random input may follow its type.
namespace tessavin {

struct InputSampling {
    const char* name; // as the batch input's messages name the type
    // A sum of such counts is normal again: the simulation integrates the count in closed form,
    // with location and scale the mean and standard deviation.
    bool normal = false;
    // Location and scale of the type with mean mi and standard deviation sigma (parameters the
    // type's checks accepted).
    void (*locate)(double mi, double sigma, double& loc, double& scale);
    // The uncut CDF at x and its inverse at p in (0, 1).
    double (*cdf)(double x, double loc, double scale);
    double (*quantile)(double p, double loc, double scale);
};

extern const InputSampling NormalInput;
extern const InputSampling LogNormalInput;
extern const InputSampling GumbelMaxInput;
extern const InputSampling GumbelMinInput;

} // namespace tessavin
