/* A C99 caller that builds reactions and reads them back. */
#include <stdio.h>
#include <string.h>

#include "check.h"
#include "velkora/velkora.h"

int main(void)
{
    char buf[64];
    int a = mech_newReaction("A + B => C", 2.0, 0.0);
    int b = mech_newReaction("2 O + M <=> O2 + M", 1.0e3, 1.0e-2);
    int d = rxn_new();

    CHECK(a >= 0 && b == a + 1 && d == b + 1);
    CHECK(rxn_cabinetSize() == d + 1);

    CHECK(rxn_equation(a, sizeof(buf), buf) == (int)strlen("A + B => C") + 1);
    CHECK(strcmp(buf, "A + B => C") == 0);
    CHECK(rxn_type(b, sizeof(buf), buf) == (int)strlen("three-body") + 1);
    CHECK(strcmp(buf, "three-body") == 0);
    CHECK(rxn_usesThirdBody(a) == 0 && rxn_usesThirdBody(b) == 1);

    /* Ask for the length first, then fetch. */
    CHECK(rxn_setId(d, "my reaction") == 0);
    CHECK(rxn_id(d, 0, NULL) == 12);
    CHECK(rxn_id(d, 12, buf) == 12);
    CHECK(strcmp(buf, "my reaction") == 0);

    CHECK(mech_newReaction("A => => B", 1.0, 0.0) == -1);
    CHECK(app_lastError(sizeof(buf), buf) > (int)sizeof(buf));
    CHECK(strncmp(buf, "parseReaction: Reaction equation", 32) == 0);

    CHECK(rxn_del(d) == 0);
    CHECK(rxn_valid(d) == -1);
    CHECK(rxn_setId(d, "x") == -999);
    CHECK(rxn_del(d) == -1);

    if (failures == 0) {
        printf("reactions_capi: all checks passed\n");
    }
    return failures == 0 ? 0 : 1;
}
