//! @file NasaPolynomial.h
//! The standard-state thermodynamics of one species: NASA's 7-coefficient
//! polynomials on two temperature ranges.
#ifndef VELKORA_PLATFORM_THERMO_NASAPOLYNOMIAL_H
#define VELKORA_PLATFORM_THERMO_NASAPOLYNOMIAL_H

#include <array>

namespace Velkora
{

//! cp/R = a1 + a2 T + a3 T^2 + a4 T^3 + a5 T^4,
//! h/RT = a1 + a2 T/2 + a3 T^2/3 + a4 T^3/4 + a5 T^4/5 + a6/T,
//! s/R  = a1 ln T + a2 T + a3 T^2/2 + a4 T^3/3 + a5 T^4/4 + a7,
//! with one set of a below the midpoint temperature and another from it on,
//! at the standard pressure of 1 atm (the CHEMKIN-II convention; B. J.
//! McBride, S. Gordon and M. A. Reno, NASA TM-4513 (1993)). Outside
//! [minTemp, maxTemp] the polynomial of the nearer range is extrapolated;
//! callers that must stay within the data check inRange().
class NasaPolynomial
{
public:
    using Coefficients = std::array<double, 7>;

    NasaPolynomial() = default;
    //! Throws unless tLow < tMid < tHigh and all values are finite.
    NasaPolynomial(double tLow, double tMid, double tHigh, const Coefficients& low, const Coefficients& high);

    double minTemp() const { return m_tLow; }
    double midTemp() const { return m_tMid; }
    double maxTemp() const { return m_tHigh; }
    bool inRange(double T) const { return T >= m_tLow && T <= m_tHigh; }
    const Coefficients& low() const { return m_low; }
    const Coefficients& high() const { return m_high; }

    double cp_R(double T) const;
    double h_RT(double T) const;
    double s_R(double T) const;
    //! g/RT = h/RT - s/R.
    double g_RT(double T) const { return h_RT(T) - s_R(T); }

    //! The three at once, from the powers of T precomputed by a caller that
    //! evaluates many species at one temperature: t = {T, T^2, T^3, T^4,
    //! 1/T, ln T}.
    void evaluate(const double* t, double& cp_R, double& h_RT, double& s_R) const;
    //! g/RT alone from the same powers.
    double g_RT(const double* t) const;
    //! The powers of T that evaluate() takes.
    static void powers(double T, double* t);

private:
    const Coefficients& range(double T) const { return T < m_tMid ? m_low : m_high; }

    double m_tLow = 0.0, m_tMid = 0.0, m_tHigh = 0.0;
    Coefficients m_low{}, m_high{};
};

} // namespace Velkora

#endif
