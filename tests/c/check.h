/* The one assertion of the C callers: report and count, keep going. */
#ifndef VELKORA_TESTS_C_CHECK_H
#define VELKORA_TESTS_C_CHECK_H

#include <stdio.h>

static int failures = 0;

#define CHECK(cond)                                                          \
    do {                                                                     \
        if (!(cond)) {                                                       \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, \
                    #cond);                                                  \
            failures++;                                                      \
        }                                                                    \
    } while (0)

#endif
