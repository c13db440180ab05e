/* A C99 caller that creates a hard-sphere gas evaluator and reads its
 * properties through the transport functions. */
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "check.h"
#include "velkora/velkora.h"

int main(void)
{
    const double M[2] = {28.0134e-3, 31.9988e-3};
    const double sigma[2] = {3.75e-10, 3.61e-10};
    const double cp[2] = {29.1, 29.1};
    double X[2] = {0.79, 0.21}, X2[2] = {0.5, 0.5}, bad[2] = {0.9, 0.3};
    double d[4], mix[2], flux[2], mu, lambda;
    char name[32];
    int gas, size;

    gas = gastrans_new(2, M, sigma, cp);
    CHECK(gas >= 0);
    CHECK(gastrans_setState(gas, 300.0, 101325.0, 2, X) == 0);
    CHECK(trans_transportModel(gas, sizeof(name), name) == 11);
    CHECK(strcmp(name, "HardSphere") == 0);

    mu = trans_viscosity(gas);
    lambda = trans_thermalConductivity(gas);
    CHECK(mu > 1.5e-5 && mu < 2.0e-5);
    CHECK(lambda > 0.02 && lambda < 0.03);
    CHECK(trans_electricalConductivity(gas) == 0.0);
    CHECK(trans_getBinaryDiffCoeffs(gas, 2, 4, d) == 0);
    CHECK(d[1] == d[2] && d[1] > 1e-5 && d[1] < 3e-5);
    CHECK(trans_getMixDiffCoeffs(gas, 2, mix) == 0);
    CHECK(mix[0] > 0.0 && mix[1] > 0.0);
    CHECK(trans_getMassFluxes(gas, 2, X, 2, X2, 1e-2, 2, flux) == 0);
    CHECK(fabs(flux[0] + flux[1]) < 1e-12 * fabs(flux[0]));
    CHECK(flux[0] > 0.0);

    /* Status codes. */
    CHECK(trans_getMultiDiffCoeffs(gas, 2, 4, d) == -1);
    CHECK(trans_getBinaryDiffCoeffs(gas, -2, 4, d) == -1);
    CHECK(gastrans_setState(gas, 300.0, 101325.0, 2, bad) == -1);
    CHECK(gastrans_setState(gas, 300.0, 101325.0, 3, X) == -1);
    CHECK(gastrans_new(0, M, sigma, cp) == -1);
    size = trans_cabinetSize();
    CHECK(trans_del(gas) == 0);
    CHECK(trans_viscosity(gas) == -999.999);
    CHECK(trans_del(gas) == -1);
    CHECK(trans_cabinetSize() == size);

    if (failures == 0) {
        printf("transport_capi: all checks passed\n");
    }
    return failures == 0 ? 0 : 1;
}
