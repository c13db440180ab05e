#include "velkora/platform/thermo/NasaPolynomial.h"

#include <cmath>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

NasaPolynomial::NasaPolynomial(double tLow, double tMid, double tHigh, const Coefficients& low,
                               const Coefficients& high)
    : m_tLow(tLow), m_tMid(tMid), m_tHigh(tHigh), m_low(low), m_high(high)
{
    if (!(tLow > 0.0 && tLow < tMid && tMid < tHigh) || !std::isfinite(tHigh)) {
        throw VelkoraError("NasaPolynomial::NasaPolynomial",
                           "The temperatures must rise, 0 < low < mid < high, not {}, {}, {}.", tLow, tMid, tHigh);
    }
    for (size_t i = 0; i < 7; i++) {
        if (!std::isfinite(low[i]) || !std::isfinite(high[i])) {
            throw VelkoraError("NasaPolynomial::NasaPolynomial", "Coefficient a{} is not finite.", i + 1);
        }
    }
}

void NasaPolynomial::powers(double T, double* t)
{
    t[0] = T;
    t[1] = T * T;
    t[2] = t[1] * T;
    t[3] = t[2] * T;
    t[4] = 1.0 / T;
    t[5] = std::log(T);
}

void NasaPolynomial::evaluate(const double* t, double& cp, double& h, double& s) const
{
    const Coefficients& a = range(t[0]);
    cp = a[0] + a[1] * t[0] + a[2] * t[1] + a[3] * t[2] + a[4] * t[3];
    h = a[0] + a[1] * t[0] / 2.0 + a[2] * t[1] / 3.0 + a[3] * t[2] / 4.0 + a[4] * t[3] / 5.0 + a[5] * t[4];
    s = a[0] * t[5] + a[1] * t[0] + a[2] * t[1] / 2.0 + a[3] * t[2] / 3.0 + a[4] * t[3] / 4.0 + a[6];
}

double NasaPolynomial::g_RT(const double* t) const
{
    const Coefficients& a = range(t[0]);
    return a[0] * (1.0 - t[5]) + a[5] * t[4] - a[6] -
           t[0] * (a[1] / 2.0 + t[0] * (a[2] / 6.0 + t[0] * (a[3] / 12.0 + t[0] * a[4] / 20.0)));
}

double NasaPolynomial::cp_R(double T) const
{
    double t[6], cp, h, s;
    powers(T, t);
    evaluate(t, cp, h, s);
    return cp;
}

double NasaPolynomial::h_RT(double T) const
{
    double t[6], cp, h, s;
    powers(T, t);
    evaluate(t, cp, h, s);
    return h;
}

double NasaPolynomial::s_R(double T) const
{
    double t[6], cp, h, s;
    powers(T, t);
    evaluate(t, cp, h, s);
    return s;
}

} // namespace Velkora
