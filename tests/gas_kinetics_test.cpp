// The kinetic-theory evaluator against reference correlations that the
// library does not compute, and its multicomponent diffusion against an
// independent solution of the Stefan-Maxwell equations.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/platform/transport/CollisionIntegrals.h"
#include "velkora/platform/transport/GasTransport.h"
#include "velkora/platform/transport/MixingRules.h"
#include "support/ErrorStack.h"
#include "support/ErrorText.h"
#include "velkora/velkora.h"

namespace Velkora
{
namespace
{

using testing::errorOf;
using testing::lastError;

// Dilute-gas viscosity, micro Pa s, and thermal conductivity, mW/m/K, of E. W.
// Lemmon and R. T. Jacobsen, Int. J. Thermophys. 25, 21 (2004), eqs. 2-5
// with their table of parameters: sigma in nm, epsilon/k and Tc in K.
double lemmonViscosity(double T, double M, double sigma, double epsilon)
{
    const double b[5] = {0.431, -0.4623, 0.08406, 0.005341, -0.00331};
    double lnT = std::log(T / epsilon), sum = 0.0;
    for (int i = 0; i < 5; i++) {
        sum += b[i] * std::pow(lnT, i);
    }
    return 0.0266958 * std::sqrt(M * T) / (sigma * sigma * std::exp(sum));
}

double lemmonConductivity(double eta, double T, double Tc, double N1, double N2, double t2, double N3, double t3)
{
    double tau = Tc / T;
    return N1 * eta + N2 * std::pow(tau, t2) + N3 * std::pow(tau, t3);
}

double nitrogenViscosity(double T) { return lemmonViscosity(T, 28.01348, 0.3656, 98.94); }
double oxygenViscosity(double T) { return lemmonViscosity(T, 31.9988, 0.3428, 118.5); }
double argonViscosity(double T) { return lemmonViscosity(T, 39.948, 0.335, 143.2); }
double nitrogenConductivity(double T)
{
    return lemmonConductivity(nitrogenViscosity(T), T, 126.192, 1.511, 2.117, -1.0, -3.332, -0.7);
}
double oxygenConductivity(double T)
{
    return lemmonConductivity(oxygenViscosity(T), T, 154.581, 1.036, 6.283, -0.9, -4.262, -0.6);
}
double argonConductivity(double T)
{
    return lemmonConductivity(argonViscosity(T), T, 150.687, 0.8158, -0.4320, -0.77, 0.0, 0.0);
}

// Steam in the dilute limit: IAPWS R12-08 (2008), eq. 11, micro Pa s, and
// IAPWS R15-11 (2011), eq. 16, mW/m/K.
double steamViscosity(double T)
{
    const double H[4] = {1.67752, 2.20462, 0.6366564, -0.241605};
    double t = T / 647.096, sum = 0.0;
    for (int i = 0; i < 4; i++) {
        sum += H[i] / std::pow(t, i);
    }
    return 100.0 * std::sqrt(t) / sum;
}
double steamConductivity(double T)
{
    const double L[5] = {2.443221e-3, 1.323095e-2, 6.770357e-3, -3.454586e-3, 4.096266e-4};
    double t = T / 647.096, sum = 0.0;
    for (int i = 0; i < 5; i++) {
        sum += L[i] / std::pow(t, i);
    }
    return std::sqrt(t) / sum;
}

// Carbon dioxide in the zero-density limit: A. Fenghour, W. A. Wakeham and
// V. Vesovic, J. Phys. Chem. Ref. Data 27, 31 (1998), eqs. 3-4, micro Pa s.
double carbonDioxideViscosity(double T)
{
    const double a[5] = {0.235156, -0.491266, 0.05211155, 0.05347906, -0.01537102};
    double lnT = std::log(T / 251.196), sum = 0.0;
    for (int i = 0; i < 5; i++) {
        sum += a[i] * std::pow(lnT, i);
    }
    return 1.00697 * std::sqrt(T) / std::exp(sum);
}

GasTransport pure(const char* name)
{
    return GasTransport({*findGasSpecies(name)}, GasTransport::mixtureAveraged);
}

TEST(CollisionIntegrals, MatchTheTabulatedLennardJonesValues)
{
    // L. Monchick and E. A. Mason, J. Chem. Phys. 35, 1676 (1961), table of
    // Omega(1,1)* and Omega(2,2)* at delta* = 0, the values the fits were
    // made to; the fits hold them to 0.1 % in this range.
    struct Row
    {
        double tStar, omega11, omega22;
    };
    const Row table[] = {{0.5, 2.0661, 2.2837}, {0.8, 1.6122, 1.7902}, {1.0, 1.4398, 1.5929},
                         {2.0, 1.0753, 1.1757}, {3.0, 0.95003, 1.0388}, {5.0, 0.84277, 0.92676},
                         {10.0, 0.74220, 0.82435}, {20.0, 0.66405, 0.74364}};
    for (const Row& row : table) {
        SCOPED_TRACE(row.tStar);
        CollisionIntegrals c = collisionIntegrals(row.tStar, 0.0);
        EXPECT_NEAR(c.omega11 / row.omega11, 1.0, 1e-3);
        EXPECT_NEAR(c.omega22 / row.omega22, 1.0, 1e-3);
        EXPECT_DOUBLE_EQ(c.aStar, c.omega22 / c.omega11);
    }
}

TEST(CollisionIntegrals, HigherIntegralsFollowTheDerivativesOfOmega11)
{
    // Omega(1,2)* = Omega(1,1)* + T*/3 dOmega(1,1)*/dT*, Omega(1,3)* =
    // Omega(1,2)* + T*/4 dOmega(1,2)*/dT*: against central differences.
    auto o11 = [](double t) { return collisionIntegrals(t, 0.5).omega11; };
    for (double t : {0.4, 1.0, 3.0, 30.0}) {
        SCOPED_TRACE(t);
        const double h = 1e-4 * t;
        auto o12 = [&](double u) { return o11(u) + u / 3.0 * (o11(u + h) - o11(u - h)) / (2.0 * h); };
        double o13 = o12(t) + t / 4.0 * (o12(t + h) - o12(t - h)) / (2.0 * h);
        CollisionIntegrals c = collisionIntegrals(t, 0.5);
        EXPECT_NEAR(c.cStar, o12(t) / c.omega11, 1e-6);
        EXPECT_NEAR(c.bStar, (5.0 * o12(t) - 4.0 * o13) / c.omega11, 1e-5);
    }
}

TEST(MixingRules, WilkeReproducesThePublishedExample)
{
    // R. B. Bird, W. E. Stewart and E. N. Lightfoot, Transport Phenomena, 2nd
    // ed. (2002), Example 1.4-2: CO2, O2, N2 at 293 K and 1 atm, with the
    // pure viscosities given there (micropoise); Wilke's rule gives 1714 (the
    // measured value is 1793). Swapping the molar-mass ratio gives 1726.
    const double X[3] = {0.133, 0.039, 0.828};
    const double mu[3] = {1462.0, 2031.0, 1754.0};
    const double M[3] = {44.010, 32.000, 28.016};
    EXPECT_NEAR(wilkeAverage(3, X, mu, mu, M), 1714.0, 0.5);
    // A species that is absent adds nothing, whatever its values.
    const double X4[4] = {0.133, 0.039, 0.828, 0.0};
    const double mu4[4] = {1462.0, 2031.0, 1754.0, 5.0};
    const double M4[4] = {44.010, 32.000, 28.016, 2.0};
    EXPECT_NEAR(wilkeAverage(4, X4, mu4, mu4, M4), 1714.0, 0.5);
}

TEST(GasTransport, ViscosityAndConductivityAgainstReferenceCorrelations)
{
    struct Case
    {
        const char* species;
        bool conductivity;
        double T;
        std::function<double(double)> reference; // micro Pa s or mW/m/K
        double tolerance;                        // relative
    };
    // The tolerances are what this first-order Chapman-Enskog model with
    // Mason-Monchick conduction achieves: 3 % for the viscosities (steam at
    // 300 K, far below its boiling point, 7 %); conduction by molecules whose
    // vibrations are excited it overestimates at flame temperatures, and for
    // polar steam, whose resonant rotational exchange it leaves out, by far.
    const Case cases[] = {
        {"N2", false, 300, nitrogenViscosity, 0.03},
        {"N2", false, 1000, nitrogenViscosity, 0.03},
        {"N2", false, 1500, nitrogenViscosity, 0.03},
        {"O2", false, 300, oxygenViscosity, 0.03},
        {"O2", false, 1000, oxygenViscosity, 0.03},
        {"O2", false, 1500, oxygenViscosity, 0.03},
        {"Ar", false, 300, argonViscosity, 0.03},
        {"Ar", false, 1000, argonViscosity, 0.03},
        {"Ar", false, 1500, argonViscosity, 0.03},
        {"CO2", false, 300, carbonDioxideViscosity, 0.03},
        {"CO2", false, 1000, carbonDioxideViscosity, 0.03},
        {"CO2", false, 1500, carbonDioxideViscosity, 0.03},
        {"H2O", false, 300, steamViscosity, 0.07},
        {"H2O", false, 1000, steamViscosity, 0.03},
        {"H2O", false, 1500, steamViscosity, 0.03},
        {"N2", true, 300, nitrogenConductivity, 0.03},
        {"N2", true, 1000, nitrogenConductivity, 0.06},
        {"N2", true, 1500, nitrogenConductivity, 0.09},
        {"O2", true, 300, oxygenConductivity, 0.03},
        {"O2", true, 1000, oxygenConductivity, 0.03},
        {"O2", true, 1500, oxygenConductivity, 0.03},
        {"Ar", true, 300, argonConductivity, 0.03},
        {"Ar", true, 1000, argonConductivity, 0.03},
        {"Ar", true, 1500, argonConductivity, 0.03},
        {"H2O", true, 1000, steamConductivity, 0.30},
        {"H2O", true, 1500, steamConductivity, 0.20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.species) + (c.conductivity ? " conductivity at " : " viscosity at ") +
                     std::to_string(int(c.T)) + " K");
        GasTransport gas = pure(c.species);
        double X = 1.0;
        gas.setState(c.T, 101325.0, &X);
        double value = c.conductivity ? 1e3 * gas.thermalConductivity() : 1e6 * gas.viscosity();
        double reference = c.reference(c.T);
        EXPECT_NEAR(value / reference, 1.0, c.tolerance) << value << " against " << reference;
    }
}

TEST(GasTransport, NitrogenOxygenDiffusionAgainstTheRecommendedCorrelation)
{
    // T. R. Marrero and E. A. Mason, J. Phys. Chem. Ref. Data 1, 3 (1972):
    // D(N2, O2) = 1.13e-5 T^1.724 cm^2/s at 1 atm.
    GasTransport gas({*findGasSpecies("N2"), *findGasSpecies("O2")}, GasTransport::mixtureAveraged);
    for (double T : {300.0, 1000.0, 1500.0}) {
        SCOPED_TRACE(T);
        double X[2] = {0.79, 0.21}, D[4];
        gas.setState(T, 101325.0, X);
        gas.getBinaryDiffCoeffs(2, D);
        EXPECT_NEAR(1e4 * D[2] / (1.13e-5 * std::pow(T, 1.724)), 1.0, T < 1200.0 ? 0.05 : 0.06);
        EXPECT_EQ(D[1], D[2]);
    }
}

TEST(GasTransport, MulticomponentCoefficientsOfABinaryAreTheBinaryOnes)
{
    GasTransport gas({*findGasSpecies("H2"), *findGasSpecies("N2")}, GasTransport::multicomponent);
    double X[2] = {0.3, 0.7}, binary[4], multi[4];
    gas.setState(1000.0, 101325.0, X);
    gas.getBinaryDiffCoeffs(2, binary);
    gas.getMultiDiffCoeffs(2, multi);
    EXPECT_EQ(multi[0], 0.0);
    EXPECT_NEAR(multi[2] / binary[2], 1.0, 1e-12);
    EXPECT_NEAR(multi[1] / binary[1], 1.0, 1e-12);
}

// The Stefan-Maxwell equations solved directly: n - 1 of them and the
// mass-average frame, by Gaussian elimination; returns the mass fluxes
// rho Y_i V_i for the driving forces grad X.
std::vector<double> stefanMaxwellFluxes(const std::vector<double>& X, const std::vector<double>& M,
                                        const std::vector<double>& D, const std::vector<double>& gradX, double rho)
{
    const size_t n = X.size();
    double mean = 0.0;
    for (size_t i = 0; i < n; i++) {
        mean += X[i] * M[i];
    }
    std::vector<std::vector<double>> a(n, std::vector<double>(n + 1, 0.0));
    for (size_t i = 0; i + 1 < n; i++) {
        for (size_t j = 0; j < n; j++) {
            if (j != i) {
                double b = X[i] * X[j] / D[i * n + j];
                a[i][j] += b;
                a[i][i] -= b;
            }
        }
        a[i][n] = gradX[i];
    }
    for (size_t j = 0; j < n; j++) {
        a[n - 1][j] = X[j] * M[j] / mean;
    }
    for (size_t c = 0; c < n; c++) {
        size_t p = c;
        for (size_t r = c + 1; r < n; r++) {
            if (std::abs(a[r][c]) > std::abs(a[p][c])) {
                p = r;
            }
        }
        std::swap(a[c], a[p]);
        for (size_t r = c + 1; r < n; r++) {
            double f = a[r][c] / a[c][c];
            for (size_t j = c; j <= n; j++) {
                a[r][j] -= f * a[c][j];
            }
        }
    }
    std::vector<double> V(n);
    for (size_t c = n; c-- > 0;) {
        double s = a[c][n];
        for (size_t j = c + 1; j < n; j++) {
            s -= a[c][j] * V[j];
        }
        V[c] = s / a[c][c];
    }
    std::vector<double> j(n);
    for (size_t i = 0; i < n; i++) {
        j[i] = rho * X[i] * M[i] / mean * V[i];
    }
    return j;
}

TEST(GasTransport, TernaryFluxesSolveTheStefanMaxwellEquations)
{
    std::vector<GasSpecies> species = {*findGasSpecies("H2"), *findGasSpecies("O2"), *findGasSpecies("H2O")};
    GasTransport gas(species, GasTransport::multicomponent);
    std::vector<double> X1 = {0.30, 0.20, 0.50}, X2 = {0.20, 0.25, 0.55}, X = {0.25, 0.225, 0.525};
    const double T = 1200.0, P = 101325.0, delta = 1e-3;
    gas.setState(T, P, X.data());
    std::vector<double> j(3), D(9), M(3), grad(3);
    gas.getMassFluxes(X1.data(), X2.data(), delta, j.data());
    gas.getBinaryDiffCoeffs(3, D.data());
    double mean = 0.0;
    for (size_t i = 0; i < 3; i++) {
        M[i] = species[i].molarMass;
        grad[i] = (X2[i] - X1[i]) / delta;
        mean += X[i] * M[i];
    }
    const double rho = P * mean / (8.31446261815324 * T);
    std::vector<double> expected = stefanMaxwellFluxes(X, M, D, grad, rho);
    double scale = std::abs(expected[0]) + std::abs(expected[1]) + std::abs(expected[2]);
    EXPECT_NEAR(j[0] + j[1] + j[2], 0.0, 1e-12 * scale);
    for (size_t i = 0; i < 3; i++) {
        EXPECT_NEAR(j[i], expected[i], 1e-9 * scale) << i;
    }
    // Mixture-averaged fluxes also sum to zero, and point the same ways.
    GasTransport mixed(species, GasTransport::mixtureAveraged);
    mixed.setState(T, P, X.data());
    std::vector<double> jm(3);
    mixed.getMassFluxes(X1.data(), X2.data(), delta, jm.data());
    EXPECT_NEAR(jm[0] + jm[1] + jm[2], 0.0, 1e-12 * scale);
    EXPECT_GT(jm[0] * j[0], 0.0);
}

TEST(GasTransport, LightSpeciesDiffuseTowardsHeat)
{
    GasTransport gas({*findGasSpecies("H2"), *findGasSpecies("N2"), *findGasSpecies("He")},
                     GasTransport::mixtureAveraged);
    double X[3] = {0.2, 0.7, 0.1}, dt[3];
    gas.setState(1000.0, 101325.0, X);
    gas.getThermalDiffCoeffs(dt);
    EXPECT_LT(dt[0], 0.0); // the flux -D^T grad T / T points up the temperature gradient
    EXPECT_LT(dt[2], 0.0);
    EXPECT_EQ(dt[1], 0.0); // only light species
}

TEST(GasTransport, BadInputIsRefusedNamingTheField)
{
    GasSpecies broken = *findGasSpecies("CO2");
    broken.diameter = -1.0;
    struct Case
    {
        std::function<void()> call;
        std::string message;
    };
    GasTransport gas = pure("N2");
    double bad[1] = {0.0}, X[1] = {1.0};
    const Case cases[] = {
        {[&] { GasTransport({broken}, GasTransport::mixtureAveraged); },
         "GasTransport::GasTransport: Species 0 (CO2): the diameter must be positive and finite, not -1."},
        {[&] { GasTransport({*findGasSpecies("N2"), *findGasSpecies("N2")}, GasTransport::mixtureAveraged); },
         "GasTransport::GasTransport: Species 1: the name 'N2' is empty or given twice."},
        {[&] { GasTransport({*findGasSpecies("N2")}, "lumped"); },
         "GasTransport::GasTransport: Unknown transport model 'lumped': use 'mixture-averaged' or 'multicomponent'."},
        {[&] { gas.setState(0.0, 1e5, X); }, "GasTransport::setState: The temperature must lie in [10, 100000] K, not 0."},
        {[&] { gas.setState(300.0, 1e5, bad); },
         "GasTransport::setState: The mole fractions sum to 0; they must sum to a positive number."},
        {[&] { double D[1]; gas.getMultiDiffCoeffs(1, D); },
         "Transport::getMultiDiffCoeffs: Not provided by the 'mixture-averaged' model."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorOf(c.call), c.message);
    }
    EXPECT_EQ(gas.temperature(), 300.0); // the refused states changed nothing
}

TEST(GasTransportInterface, NamedSpeciesAndCallerParametersBuildTheSameEvaluator)
{
    const char* names[] = {"N2", "O2", "Ar"};
    const int before = trans_cabinetSize();
    int named = gastrans_newFromSpecies(3, names, "mixture-averaged");
    ASSERT_GE(named, 0) << lastError();
    EXPECT_EQ(gastrans_nSpecies(named), 3);
    char buf[8];
    EXPECT_EQ(gastrans_speciesName(named, 2, sizeof(buf), buf), 3);
    EXPECT_STREQ(buf, "Ar");
    EXPECT_EQ(trans_transportModel(named, sizeof(buf), buf), int(sizeof("mixture-averaged")));

    // Argon alone, from its parameters.
    const GasSpecies& ar = *findGasSpecies("Ar");
    const char* arName[] = {"argon"};
    const int atom[] = {0};
    int own = gastrans_newFromParameters(1, arName, &ar.molarMass, atom, &ar.wellDepth, &ar.diameter, nullptr,
                                         nullptr, nullptr, nullptr, "multicomponent");
    ASSERT_GE(own, 0) << lastError();
    const double Xar[] = {1.0}, Xnamed[] = {0.0, 0.0, 1.0};
    ASSERT_EQ(gastrans_setState(own, 800.0, 1e5, 1, Xar), 0);
    ASSERT_EQ(gastrans_setState(named, 800.0, 1e5, 3, Xnamed), 0);
    EXPECT_DOUBLE_EQ(trans_viscosity(own), trans_viscosity(named));

    // Failures register nothing and name the culprit.
    const char* unknown[] = {"N2", "XY"};
    const int middle = trans_cabinetSize();
    EXPECT_EQ(gastrans_newFromSpecies(2, unknown, "mixture-averaged"), -1);
    EXPECT_EQ(lastError(), "gastrans_newFromSpecies: Species 1: no data for 'XY'.");
    const double negative = -3.0;
    EXPECT_EQ(gastrans_newFromParameters(1, arName, &negative, atom, &ar.wellDepth, &ar.diameter, nullptr, nullptr,
                                         nullptr, nullptr, "multicomponent"),
              -1);
    EXPECT_EQ(lastError(), "GasTransport::GasTransport: Species 0 (argon): the molar mass must be positive and "
                           "finite, not -3.");
    EXPECT_EQ(trans_cabinetSize(), middle);
    EXPECT_EQ(middle, before + 2);
    trans_del(own);
    trans_del(named);
}

} // namespace
} // namespace Velkora
