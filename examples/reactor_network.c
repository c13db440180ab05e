/* A small mechanism through the C interface: A -> B -> C with B dimerising
 * reversibly to D, in one batch reactor. Prints the concentrations over time
 * and how strongly B depends on the rate of the first reaction. */
#include <stdio.h>

#include "velkora/velkora.h"

static int fail(const char* what)
{
    char msg[512];
    app_lastError(sizeof(msg), msg);
    fprintf(stderr, "%s failed: %s\n", what, msg);
    return 1;
}

int main(void)
{
    const char* species[] = {"A", "B", "C", "D"};
    const double times[] = {0.0, 0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0};
    int rxns[3], reactor, net, i, k;

    rxns[0] = mech_newReaction("A => B", 2.0, 0.0);
    rxns[1] = mech_newReaction("B => C", 1.0, 0.0);
    rxns[2] = mech_newReaction("2 B <=> D", 0.5, 0.1);
    for (i = 0; i < 3; i++) {
        if (rxns[i] < 0) {
            return fail("mech_newReaction");
        }
    }
    reactor = reactor_new(3, rxns);
    if (reactor < 0 || reactor_setConcentration(reactor, "A", 2.0) != 0) {
        return fail("reactor set-up");
    }
    net = reactornet_new(1, &reactor);
    if (net < 0 || reactornet_setTolerances(net, 1e-9, 1e-14) != 0) {
        return fail("network set-up");
    }

    printf("Batch reactor: A => B (k=2/s), B => C (k=1/s), 2 B <=> D (kf=0.5, kr=0.1 m3/mol/s)\n\n");
    printf("%8s %12s %12s %12s %12s %16s\n", "t (s)", "A (mol/m3)", "B", "C", "D", "dlnB/dln(k1)");
    for (i = 0; i < (int)(sizeof(times) / sizeof(times[0])); i++) {
        if (reactornet_advance(net, times[i]) != 0) {
            return fail("reactornet_advance");
        }
        printf("%8.2f", reactornet_time(net));
        for (k = 0; k < 4; k++) {
            printf(" %12.6f", reactor_concentration(reactor, species[k]));
        }
        printf(" %16.6f\n", reactornet_sensitivity(net, "B", 0, 0));
    }

    reactornet_del(net);
    reactor_del(reactor);
    for (i = 0; i < 3; i++) {
        rxn_del(rxns[i]);
    }
    return 0;
}
