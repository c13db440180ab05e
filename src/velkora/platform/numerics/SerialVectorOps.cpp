#include "velkora/platform/numerics/SerialVectorOps.h"

#include <algorithm>
#include <cmath>

#include <nvector/nvector_serial.h>

namespace Velkora
{

namespace
{

// The length and the data of a serial vector.
inline sunindextype length(N_Vector v)
{
    return NV_LENGTH_S(v);
}
inline double* data(N_Vector v)
{
    return NV_DATA_S(v);
}

void linearSum(sunrealtype a, N_Vector x, sunrealtype b, N_Vector y, N_Vector z)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    const double* yd = data(y);
    double* zd = data(z);
    for (sunindextype i = 0; i < n; i++) {
        zd[i] = a * xd[i] + b * yd[i];
    }
}

void constant(sunrealtype c, N_Vector z)
{
    std::fill(data(z), data(z) + length(z), c);
}

void product(N_Vector x, N_Vector y, N_Vector z)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    const double* yd = data(y);
    double* zd = data(z);
    for (sunindextype i = 0; i < n; i++) {
        zd[i] = xd[i] * yd[i];
    }
}

void quotient(N_Vector x, N_Vector y, N_Vector z)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    const double* yd = data(y);
    double* zd = data(z);
    for (sunindextype i = 0; i < n; i++) {
        zd[i] = xd[i] / yd[i];
    }
}

void scale(sunrealtype c, N_Vector x, N_Vector z)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    double* zd = data(z);
    for (sunindextype i = 0; i < n; i++) {
        zd[i] = c * xd[i];
    }
}

void absolute(N_Vector x, N_Vector z)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    double* zd = data(z);
    for (sunindextype i = 0; i < n; i++) {
        zd[i] = std::abs(xd[i]);
    }
}

void inverse(N_Vector x, N_Vector z)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    double* zd = data(z);
    for (sunindextype i = 0; i < n; i++) {
        zd[i] = 1.0 / xd[i];
    }
}

void addConstant(N_Vector x, sunrealtype b, N_Vector z)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    double* zd = data(z);
    for (sunindextype i = 0; i < n; i++) {
        zd[i] = xd[i] + b;
    }
}

sunrealtype weightedSquareSum(N_Vector x, N_Vector w)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    const double* wd = data(w);
    double sum = 0.0;
#pragma omp simd reduction(+ : sum)
    for (sunindextype i = 0; i < n; i++) {
        const double p = xd[i] * wd[i];
        sum += p * p;
    }
    return sum;
}

sunrealtype weightedRmsNorm(N_Vector x, N_Vector w)
{
    return std::sqrt(weightedSquareSum(x, w) / static_cast<double>(length(x)));
}

sunrealtype maxNorm(N_Vector x)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    double largest = 0.0;
    for (sunindextype i = 0; i < n; i++) {
        largest = std::max(largest, std::abs(xd[i]));
    }
    return largest;
}

// z = sum_i c_i x_i.
int linearCombination(int count, sunrealtype* c, N_Vector* x, N_Vector z)
{
    const sunindextype n = length(z);
    double* zd = data(z);
    if (count == 1) {
        scale(c[0], x[0], z);
        return 0;
    }
    if (count == 2) {
        linearSum(c[0], x[0], c[1], x[1], z);
        return 0;
    }
    // z may be x[0]: its first term is read before it is written.
    const double* x0 = data(x[0]);
    const double* x1 = data(x[1]);
    for (sunindextype j = 0; j < n; j++) {
        zd[j] = c[0] * x0[j] + c[1] * x1[j];
    }
    for (int i = 2; i < count; i++) {
        const double* xi = data(x[i]);
        const double ci = c[i];
        for (sunindextype j = 0; j < n; j++) {
            zd[j] += ci * xi[j];
        }
    }
    return 0;
}

// z_i = c_i x + y_i.
int scaleAddMulti(int count, sunrealtype* c, N_Vector x, N_Vector* y, N_Vector* z)
{
    const sunindextype n = length(x);
    const double* xd = data(x);
    for (int i = 0; i < count; i++) {
        const double* yd = data(y[i]);
        double* zd = data(z[i]);
        const double ci = c[i];
        for (sunindextype j = 0; j < n; j++) {
            zd[j] = ci * xd[j] + yd[j];
        }
    }
    return 0;
}

} // namespace

void useCompiledSerialOps(N_Vector v)
{
    N_Vector_Ops ops = v->ops;
    ops->nvlinearsum = linearSum;
    ops->nvconst = constant;
    ops->nvprod = product;
    ops->nvdiv = quotient;
    ops->nvscale = scale;
    ops->nvabs = absolute;
    ops->nvinv = inverse;
    ops->nvaddconst = addConstant;
    ops->nvwrmsnorm = weightedRmsNorm;
    ops->nvwsqrsumlocal = weightedSquareSum;
    ops->nvmaxnorm = maxNorm;
    ops->nvmaxnormlocal = maxNorm;
    ops->nvlinearcombination = linearCombination;
    ops->nvscaleaddmulti = scaleAddMulti;
}

} // namespace Velkora
