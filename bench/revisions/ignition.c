/* One ignition through the C interface, timed: the same program runs
 * against two builds of the library (compare.sh), whose C functions are
 * the same.
 *
 *   ignition CHEM THERMO P_ATM T0 COMPOSITION T_END RTOL ATOL
 *
 * Prints "result", the thread's CPU seconds of reactornet_advance and the
 * final temperature on standard error (standard output has the library's
 * log). */
#define _POSIX_C_SOURCE 199309L
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "velkora/velkora.h"

static double threadSeconds(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return (double)ts.tv_sec + 1e-9 * (double)ts.tv_nsec;
}

int main(int argc, char** argv)
{
    if (argc != 9) {
        fprintf(stderr, "usage: %s CHEM THERMO P_ATM T0 COMPOSITION T_END RTOL ATOL\n", argv[0]);
        return 2;
    }
    int mech = mech_load(argv[1], argv[2]);
    if (mech < 0) {
        char text[1000];
        app_lastError(sizeof text, text);
        fprintf(stderr, "%s\n", text);
        return 1;
    }
    int reactor = reactor_newIdealGas(mech, "constant-pressure", atof(argv[4]), atof(argv[3]) * 101325.0, argv[5]);
    int net = reactor >= 0 ? reactornet_new(1, &reactor) : -1;
    if (net < 0 || reactornet_setTolerances(net, atof(argv[7]), atof(argv[8])) != 0) {
        fprintf(stderr, "could not set up the network\n");
        return 1;
    }
    double t0 = threadSeconds();
    int status = reactornet_advance(net, atof(argv[6]));
    double seconds = threadSeconds() - t0;
    if (status != 0) {
        char text[1000];
        app_lastError(sizeof text, text);
        fprintf(stderr, "%s\n", text);
        return 1;
    }
    fprintf(stderr, "result %.6f %.3f\n", seconds, reactor_temperature(reactor));
    return 0;
}
