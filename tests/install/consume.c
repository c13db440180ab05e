/* An outside program that knows the library only through what an install
 * gives: the headers under <velkora/...> and pkg-config. It integrates
 * A => B in a batch reactor and checks [A] against exp(-k t). */
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <velkora/velkora.h>

int main(void)
{
    char version[32];
    int rxn, reactor, net;
    double a, exact;

    if (app_version(sizeof(version), version) != (int)strlen(VELKORA_VERSION_STRING) + 1 ||
        strcmp(version, VELKORA_VERSION_STRING) != 0) {
        fprintf(stderr, "library version '%s' differs from the headers' '%s'\n", version,
                VELKORA_VERSION_STRING);
        return 1;
    }
    rxn = mech_newReaction("A => B", 0.5, 0.0);
    reactor = reactor_new(1, &rxn);
    if (rxn < 0 || reactor < 0 || reactor_setConcentration(reactor, "A", 2.0) != 0) {
        return 1;
    }
    net = reactornet_new(1, &reactor);
    if (net < 0 || reactornet_advance(net, 3.0) != 0) {
        return 1;
    }
    a = reactor_concentration(reactor, "A");
    exact = 2.0 * exp(-0.5 * 3.0);
    printf("version %s: [A](3 s) = %.9f, exact %.9f\n", version, a, exact);
    return fabs(a - exact) < 1e-6 * exact ? 0 : 1;
}
