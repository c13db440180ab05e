/* Ignition of methane in air through the C interface: GRI-Mech 3.0 in a
 * closed, adiabatic reactor at constant pressure (13.5 atm, 1000 K,
 * CH4:O2:N2 = 0.5:1:3.76), the case that CHEMKIN-II's SENKIN computed for
 * Debian's openfoam-examples. Prints the temperature over time and the
 * ignition delay next to SENKIN's.
 *
 *   ignition [CASES]    CASES: the chemFoam folder (scripts/fetch-chemistry.sh)
 */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "velkora/velkora.h"

static void fail(const char* what)
{
    char text[512];
    app_lastError(sizeof(text), text);
    fprintf(stderr, "%s failed: %s\n", what, text);
    exit(1);
}

/* The times at which the temperatures t[0..n) first reach `value`. */
static double crossing(const double* time, const double* T, size_t n, double value)
{
    size_t i;
    for (i = 1; i < n; i++) {
        if (T[i] >= value) {
            return time[i - 1] + (value - T[i - 1]) * (time[i] - time[i - 1]) / (T[i] - T[i - 1]);
        }
    }
    return NAN;
}

/* SENKIN's printed history: "Time (sec) =  5.9352E-02   T (K) =  1.2000E+03". */
static size_t readSenkin(const char* path, double* time, double* T, size_t capacity)
{
    char line[256];
    size_t n = 0;
    FILE* f = fopen(path, "r");
    if (f == NULL) {
        return 0;
    }
    while (n < capacity && fgets(line, sizeof(line), f)) {
        if (sscanf(line, " Time (sec) = %lf T (K) = %lf", &time[n], &T[n]) == 2) {
            n++;
        }
    }
    fclose(f);
    return n;
}

enum { capacity = 200000 };
static double ours_t[capacity], ours_T[capacity], senkin_t[capacity], senkin_T[capacity];

int main(int argc, char** argv)
{
    const char* cases = argc > 1 ? argv[1] : getenv("VELKORA_CHEMISTRY_DATA");
    char chem[1024], therm[1024], senk[1024];
    double outputs[] = {0.0, 0.02, 0.04, 0.055, 0.058, 0.059, 0.0593, 0.0594, 0.0595, 0.0597, 0.06, 0.07};
    size_t n = 0, m, i, next = 1;
    int mech, reactor, net;
    const double T0 = 1000.0;

    if (cases == NULL) {
        printf("ignition: give the chemFoam cases' folder (run scripts/fetch-chemistry.sh to fetch them)\n");
        return 0;
    }
    snprintf(chem, sizeof(chem), "%s/gri/chemkin/chem.inp", cases);
    snprintf(therm, sizeof(therm), "%s/gri/chemkin/therm.dat", cases);
    snprintf(senk, sizeof(senk), "%s/gri/chemkin/senk.out", cases);
    mech = mech_load(chem, therm);
    if (mech < 0) {
        char text[512];
        app_lastError(sizeof(text), text);
        printf("ignition: no reference data (%s); run scripts/fetch-chemistry.sh to fetch it\n", text);
        return 0;
    }
    reactor = reactor_newIdealGas(mech, "constant-pressure", T0, 13.5 * 101325.0, "CH4:0.5, O2:1, N2:3.76");
    if (reactor < 0) {
        fail("reactor_newIdealGas");
    }
    net = reactornet_new(1, &reactor);
    if (net < 0 || reactornet_setTolerances(net, 1e-8, 1e-15) != 0) {
        fail("reactornet_new");
    }
    printf("GRI-Mech 3.0 (%d species, %d reactions): CH4:O2:N2 0.5:1:3.76 at 13.5 atm and %.0f K, constant pressure\n\n",
           mech_nSpecies(mech), mech_nReactions(mech), T0);
    printf("%10s %10s %10s %10s %10s\n", "t (ms)", "T (K)", "X(CH4)", "X(OH)", "X(CO2)");
    printf("%10.3f %10.1f %10.5f %10.2e %10.5f\n", 0.0, reactor_temperature(reactor),
           reactor_moleFraction(reactor, "CH4"), reactor_moleFraction(reactor, "OH"),
           reactor_moleFraction(reactor, "CO2"));
    ours_t[n] = 0.0;
    ours_T[n++] = T0;
    while (reactornet_time(net) < 0.07 && n < capacity) {
        double t = reactornet_step(net);
        if (t == -999.999) {
            fail("reactornet_step");
        }
        ours_t[n] = t;
        ours_T[n++] = reactor_temperature(reactor);
        while (next < sizeof(outputs) / sizeof(outputs[0]) && t >= outputs[next]) {
            printf("%10.3f %10.1f %10.5f %10.2e %10.5f\n", 1e3 * t, reactor_temperature(reactor),
                   reactor_moleFraction(reactor, "CH4"), reactor_moleFraction(reactor, "OH"),
                   reactor_moleFraction(reactor, "CO2"));
            next++;
        }
    }
    m = readSenkin(senk, senkin_t, senkin_T, capacity);
    printf("\n%-28s %12s %12s %10s\n", "", "Velkora", "SENKIN", "ratio");
    for (i = 0; i < 2; i++) {
        double rise = i == 0 ? 200.0 : 400.0;
        double a = crossing(ours_t, ours_T, n, T0 + rise);
        double b = m ? crossing(senkin_t, senkin_T, m, T0 + rise) : NAN;
        printf("T reaches T0 + %3.0f K (ms) %12.4f %12.4f %10.5f\n", rise, 1e3 * a, 1e3 * b, a / b);
    }
    printf("%-28s %12.1f %12.1f\n", "final T (K)", ours_T[n - 1], m ? senkin_T[m - 1] : NAN);
    printf("\n%zu steps of the integrator\n", n - 1);
    reactornet_del(net);
    reactor_del(reactor);
    mech_del(mech);
    return 0;
}
