#include "velkora/platform/transport/MixingRules.h"

#include <cmath>

namespace Velkora
{

double wilkeAverage(size_t n, const double* X, const double* v, const double* mu, const double* M)
{
    double sum = 0.0;
    for (size_t k = 0; k < n; k++) {
        if (X[k] == 0.0) {
            continue;
        }
        double denominator = 0.0;
        for (size_t j = 0; j < n; j++) {
            double a = 1.0 + std::sqrt(mu[k] / mu[j]) * std::pow(M[j] / M[k], 0.25);
            denominator += X[j] * a * a / std::sqrt(8.0 * (1.0 + M[k] / M[j]));
        }
        sum += X[k] * v[k] / denominator;
    }
    return sum;
}

void mixtureAveragedDiffusion(size_t n, const double* X, const double* Y, const double* binary, double* d)
{
    for (size_t k = 0; k < n; k++) {
        double sum = 0.0;
        for (size_t j = 0; j < n; j++) {
            if (j != k) {
                sum += X[j] / binary[j * n + k];
            }
        }
        d[k] = sum > 0.0 ? (1.0 - Y[k]) / sum : binary[k * n + k];
    }
}

} // namespace Velkora
