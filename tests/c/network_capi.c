/* A C99 caller that builds a mechanism, a reactor and a network, advances it
 * and checks values and status codes. */
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "check.h"
#include "velkora/velkora.h"

int main(void)
{
    const double k1 = 1.0, k2 = 0.5;
    int rxns[2], reactor, net, del, bad;
    double t, a, b, c, expectedB;
    char buf[128];

    rxns[0] = mech_newReaction("A => B", k1, 0.0);
    rxns[1] = mech_newReaction("B => C", k2, 0.0);
    CHECK(rxns[0] >= 0 && rxns[1] >= 0);
    reactor = reactor_new(2, rxns);
    CHECK(reactor >= 0);
    CHECK(reactor_setConcentration(reactor, "A", 1.0) == 0);

    net = reactornet_new(1, &reactor);
    CHECK(net >= 0);
    CHECK(reactornet_setTolerances(net, 1e-10, 1e-14) == 0);
    CHECK(reactornet_rtol(net) == 1e-10 && reactornet_atol(net) == 1e-14);

    for (t = 0.5; t <= 3.0; t += 0.5) {
        CHECK(reactornet_advance(net, t) == 0);
        CHECK(reactornet_time(net) == t);
        a = reactor_concentration(reactor, "A");
        b = reactor_concentration(reactor, "B");
        c = reactor_concentration(reactor, "C");
        expectedB = k1 / (k2 - k1) * (exp(-k1 * t) - exp(-k2 * t));
        CHECK(fabs(a - exp(-k1 * t)) < 1e-8);
        CHECK(fabs(b - expectedB) < 1e-8);
        CHECK(fabs(a + b + c - 1.0) < 1e-8);
        CHECK(fabs(reactornet_sensitivity(net, "A", 0, 0) + k1 * t) < 1e-4);
    }
    CHECK(reactornet_step(net) > 3.0);

    /* Status codes. */
    CHECK(reactornet_advance(net, 0.0) == -1);
    CHECK(reactornet_sensitivity(net, "A", 7, 0) == -999.999);
    CHECK(app_lastError(sizeof(buf), buf) > 0);
    CHECK(strstr(buf, "Parameter index 7 out of range") != NULL);
    del = reactornet_new(1, &reactor);
    CHECK(reactornet_del(del) == 0);
    CHECK(reactornet_time(del) == -999.999);
    CHECK(reactornet_advance(del, 1.0) == -1);
    CHECK(reactornet_del(del) == -1);
    bad = reactor_cabinetSize();
    CHECK(reactornet_new(1, &bad) == -2);

    if (failures == 0) {
        printf("network_capi: all checks passed\n");
    }
    return failures == 0 ? 0 : 1;
}
