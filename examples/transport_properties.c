/* Transport properties of air-like and argon-helium mixtures from hard-sphere
 * kinetic theory, through the C interface, over a range of temperatures. */
#include <stdio.h>

#include "velkora.h"

#define R 8.31446261815324

static void table(const char* title, int n, const char* const* names, const double* M, const double* sigma,
                  const double* cp, const double* X)
{
    const double temperatures[] = {300.0, 600.0, 900.0, 1200.0, 1500.0};
    double mix[3];
    double binary[9];
    int gas = gastrans_new(n, M, sigma, cp);
    int i, k;
    if (gas < 0) {
        char msg[256];
        app_lastError(sizeof(msg), msg);
        fprintf(stderr, "gastrans_new failed: %s\n", msg);
        return;
    }
    printf("\n%s at 1 atm\n", title);
    printf("%8s %14s %14s %14s", "T (K)", "mu (Pa s)", "k (W/m/K)", "D12 (m2/s)");
    for (k = 0; k < n; k++) {
        printf("  D[%s] (m2/s)", names[k]);
    }
    printf("\n");
    for (i = 0; i < (int)(sizeof(temperatures) / sizeof(temperatures[0])); i++) {
        if (gastrans_setState(gas, temperatures[i], 101325.0, n, X) != 0) {
            fprintf(stderr, "gastrans_setState failed\n");
            break;
        }
        trans_getMixDiffCoeffs(gas, n, mix);
        trans_getBinaryDiffCoeffs(gas, n, n * n, binary);
        printf("%8.0f %14.4e %14.4e %14.4e", temperatures[i], trans_viscosity(gas), trans_thermalConductivity(gas),
               binary[1]);
        for (k = 0; k < n; k++) {
            printf(" %14.4e", mix[k]);
        }
        printf("\n");
    }
    trans_del(gas);
}

int main(void)
{
    /* Rigid-sphere diameters from viscosity at 0 C (Chapman and Cowling). */
    const char* const airNames[] = {"N2", "O2", "Ar"};
    const double airM[] = {28.0134e-3, 31.9988e-3, 39.948e-3};
    const double airSigma[] = {3.75e-10, 3.61e-10, 3.64e-10};
    const double airCp[] = {3.5 * R, 3.5 * R, 2.5 * R};
    const double airX[] = {0.7809, 0.2095, 0.0096};

    const char* const noble[] = {"Ar", "He"};
    const double nobleM[] = {39.948e-3, 4.0026e-3};
    const double nobleSigma[] = {3.64e-10, 2.18e-10};
    const double nobleX[] = {0.5, 0.5};

    table("Air (N2 78.09%, O2 20.95%, Ar 0.96%)", 3, airNames, airM, airSigma, airCp, airX);
    table("Argon-helium, equimolar", 2, noble, nobleM, nobleSigma, NULL, nobleX);
    return 0;
}
