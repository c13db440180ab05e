/* Transport properties of nitrogen and of air from two models side by side,
 * through the C interface: rigid spheres (a teaching model) and kinetic
 * theory with Lennard-Jones potentials (as combustion codes use it), with the
 * reference values of nitrogen from the dilute-gas correlations of E. W.
 * Lemmon and R. T. Jacobsen, Int. J. Thermophys. 25, 21 (2004). */
#include <math.h>
#include <stdio.h>

#include "velkora/velkora.h"

#define R 8.31446261815324

/* Lemmon and Jacobsen: dilute-gas viscosity (micro Pa s) and thermal
 * conductivity (mW/m/K) of nitrogen. */
static double nitrogenViscosity(double T)
{
    const double b[5] = {0.431, -0.4623, 0.08406, 0.005341, -0.00331};
    double lnT = log(T / 98.94), sum = 0.0, power = 1.0;
    int i;
    for (i = 0; i < 5; i++) {
        sum += b[i] * power;
        power *= lnT;
    }
    return 0.0266958 * sqrt(28.01348 * T) / (0.3656 * 0.3656 * exp(sum));
}

static double nitrogenConductivity(double T)
{
    double tau = 126.192 / T;
    return 1.511 * nitrogenViscosity(T) + 2.117 / tau - 3.332 * pow(tau, -0.7);
}

static int fail(const char* what)
{
    char msg[256];
    app_lastError(sizeof(msg), msg);
    fprintf(stderr, "%s failed: %s\n", what, msg);
    return 1;
}

int main(void)
{
    const double temperatures[] = {300.0, 600.0, 1000.0, 1500.0, 2000.0};
    /* Rigid-sphere nitrogen: diameter from its viscosity at 0 C (Chapman and Cowling). */
    const double M = 28.0134e-3, sigma = 3.75e-10, cp = 3.5 * R;
    const char* nitrogen[] = {"N2"};
    const char* air[] = {"N2", "O2", "AR"};
    const double X1[] = {1.0}, Xair[] = {0.7809, 0.2095, 0.0096};
    int hard = gastrans_new(1, &M, &sigma, &cp);
    int kinetic = gastrans_newFromSpecies(1, nitrogen, "mixture-averaged");
    int mixture = gastrans_newFromSpecies(3, air, "multicomponent");
    int i;
    if (hard < 0 || kinetic < 0 || mixture < 0) {
        return fail("creating the evaluators");
    }

    printf("Nitrogen at 1 atm: viscosity (micro Pa s) and conductivity (mW/m/K)\n");
    printf("%7s | %9s %9s %9s | %9s %9s %9s\n", "T (K)", "rigid", "kinetic", "reference", "rigid", "kinetic",
           "reference");
    for (i = 0; i < (int)(sizeof(temperatures) / sizeof(temperatures[0])); i++) {
        double T = temperatures[i];
        if (gastrans_setState(hard, T, 101325.0, 1, X1) != 0 || gastrans_setState(kinetic, T, 101325.0, 1, X1) != 0) {
            return fail("gastrans_setState");
        }
        printf("%7.0f | %9.2f %9.2f %9.2f | %9.2f %9.2f %9.2f\n", T, 1e6 * trans_viscosity(hard),
               1e6 * trans_viscosity(kinetic), nitrogenViscosity(T), 1e3 * trans_thermalConductivity(hard),
               1e3 * trans_thermalConductivity(kinetic), nitrogenConductivity(T));
    }

    printf("\nAir (N2 78.09%%, O2 20.95%%, Ar 0.96%%) at 1 atm, kinetic theory, multicomponent model\n");
    printf("%7s %12s %12s %14s %14s %14s\n", "T (K)", "mu (Pa s)", "k (W/m/K)", "D[N2] (m2/s)", "D[O2] (m2/s)",
           "D[Ar] (m2/s)");
    for (i = 0; i < (int)(sizeof(temperatures) / sizeof(temperatures[0])); i++) {
        double D[3];
        if (gastrans_setState(mixture, temperatures[i], 101325.0, 3, Xair) != 0 ||
            trans_getMixDiffCoeffs(mixture, 3, D) != 0) {
            return fail("air");
        }
        printf("%7.0f %12.4e %12.4e %14.4e %14.4e %14.4e\n", temperatures[i], trans_viscosity(mixture),
               trans_thermalConductivity(mixture), D[0], D[1], D[2]);
    }
    trans_del(hard);
    trans_del(kinetic);
    trans_del(mixture);
    return 0;
}
