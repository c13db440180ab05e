/* A C99 caller of the error-stack and log functions. */
#include <stdio.h>
#include <string.h>

#include "check.h"
#include "velkora/velkora.h"

int main(void)
{
    char buf[64];

    CHECK(app_clearErrors() == 0);
    CHECK(app_errorCount() == 0);
    CHECK(app_lastError(sizeof(buf), buf) == 1);
    CHECK(strcmp(buf, "") == 0);

    /* A negative buffer length is an error of its own, reported on the stack. */
    CHECK(app_lastError(-5, buf) == -1);
    CHECK(app_errorCount() == 1);
    CHECK(app_lastError(0, NULL) == (int)strlen("app_lastError: Buffer length -5 is negative.") + 1);
    CHECK(app_lastError(sizeof(buf), buf) > 0);
    CHECK(strcmp(buf, "app_lastError: Buffer length -5 is negative.") == 0);
    CHECK(app_lastError(4, buf) > 4);
    CHECK(strcmp(buf, "app") == 0);
    CHECK(app_popError() == 0);
    CHECK(app_popError() == 0);

    if (failures == 0) {
        printf("app_capi: all checks passed\n");
    }
    return failures == 0 ? 0 : 1;
}
