// Test helper: dense Gaussian elimination with partial pivoting, the
// reference that banded solves are checked against.
#ifndef VELKORA_TESTS_DENSESOLVE_H
#define VELKORA_TESTS_DENSESOLVE_H

#include <cmath>
#include <utility>
#include <vector>

namespace Velkora::testing
{

//! The solution x of a x = b, a given by rows.
inline std::vector<double> denseSolve(std::vector<std::vector<double>> a, std::vector<double> b)
{
    const size_t n = b.size();
    for (size_t k = 0; k < n; k++) {
        size_t p = k;
        for (size_t i = k + 1; i < n; i++) {
            if (std::abs(a[i][k]) > std::abs(a[p][k])) {
                p = i;
            }
        }
        std::swap(a[k], a[p]);
        std::swap(b[k], b[p]);
        for (size_t i = k + 1; i < n; i++) {
            double m = a[i][k] / a[k][k];
            for (size_t j = k; j < n; j++) {
                a[i][j] -= m * a[k][j];
            }
            b[i] -= m * b[k];
        }
    }
    std::vector<double> x(n);
    for (size_t i = n; i-- > 0;) {
        double s = b[i];
        for (size_t j = i + 1; j < n; j++) {
            s -= a[i][j] * x[j];
        }
        x[i] = s / a[i][i];
    }
    return x;
}

} // namespace Velkora::testing

#endif
