/* The ignition-delay loop of the Python package (velkora.ignition_delay,
 * the time of the largest dT/dt), written in C against the C interface, so
 * that the benchmark can time the package against it on the same mechanism
 * handle in one process. Keep the two in step: same steps, same slopes, same
 * parabola, same stopping rule. */
#include <math.h>
#include <stdlib.h>

#include "velkora/velkora.h"

static double slope(const double* t, const double* T, int j)
{
    return (T[j] - T[j - 1]) / (t[j] - t[j - 1]);
}

static double middle(const double* t, int j)
{
    return 0.5 * (t[j] + t[j - 1]);
}

static double vertex(const double* t, const double* T, int n, int i)
{
    double x0, x1, x2, y0, y1, y2, d, a, b, v;
    if (i < 2 || i + 1 >= n) {
        return middle(t, i);
    }
    x0 = middle(t, i - 1), x1 = middle(t, i), x2 = middle(t, i + 1);
    y0 = slope(t, T, i - 1), y1 = slope(t, T, i), y2 = slope(t, T, i + 1);
    d = (x0 - x1) * (x0 - x2) * (x1 - x2);
    a = (x2 * (y1 - y0) + x1 * (y0 - y2) + x0 * (y2 - y1)) / d;
    b = (x2 * x2 * (y0 - y1) + x1 * x1 * (y2 - y0) + x0 * x0 * (y1 - y2)) / d;
    if (!(a < 0.0)) {
        return x1;
    }
    v = -b / (2.0 * a);
    return v < x0 ? x0 : (v > x2 ? x2 : v);
}

/* The delay, s; NaN when the mixture does not ignite by t_end; -1 when the
 * library fails (its message is on the error stack). */
double bench_ignition_delay(int mech, const char* kind, double T0, double P, const char* X, double t_end,
                            double rtol, double atol)
{
    int reactor = reactor_newIdealGas(mech, kind, T0, P, X);
    int net, n = 1, at = -1, capacity = 4096;
    double *t, *T, best = 0.0, now = 0.0, result = NAN;
    if (reactor < 0) {
        return -1.0;
    }
    net = reactornet_new(1, &reactor);
    if (net < 0 || reactornet_setTolerances(net, rtol, atol) != 0) {
        reactor_del(reactor);
        return -1.0;
    }
    t = malloc(capacity * sizeof(double));
    T = malloc(capacity * sizeof(double));
    t[0] = 0.0;
    T[0] = T0;
    while (now < t_end) {
        double temp, s;
        now = reactornet_step(net);
        if (now == -999.999 && app_errorCount() > 0) {
            result = -1.0;
            break;
        }
        temp = reactor_temperature(reactor);
        if (n == capacity) {
            capacity *= 2;
            t = realloc(t, capacity * sizeof(double));
            T = realloc(T, capacity * sizeof(double));
        }
        s = (temp - T[n - 1]) / (now - t[n - 1]);
        t[n] = now;
        T[n] = temp;
        n++;
        if (s > best) {
            best = s;
            at = n - 1;
        } else if (temp - T0 > 400.0 && s < 0.01 * best) {
            break;
        }
    }
    if (result != -1.0 && at >= 0 && T[n - 1] - T0 >= 400.0) {
        result = vertex(t, T, n, at);
    }
    free(t);
    free(T);
    reactornet_del(net);
    reactor_del(reactor);
    return result;
}
