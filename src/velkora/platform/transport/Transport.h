//! @file Transport.h
//! Transport-property evaluators: the base class that the C interface drives.
#ifndef VELKORA_PLATFORM_TRANSPORT_TRANSPORT_H
#define VELKORA_PLATFORM_TRANSPORT_TRANSPORT_H

#include <cstddef>
#include <string>

namespace Velkora
{

//! An evaluator of the transport properties of a mixture at its current
//! state. Every property operation of this base throws a VelkoraError saying
//! that the model does not provide it; models override what they compute.
//! A model refuses null output arrays and never returns a value that is not a
//! finite number: both are VelkoraErrors. SI units throughout.
class Transport
{
public:
    virtual ~Transport() {}

    //! Number of species.
    virtual size_t nSpecies() const { return 0; }
    //! Name of the model.
    virtual std::string transportModel() const { return "none"; }
    //! Name of species `k`, where the model knows it.
    virtual std::string speciesName(size_t k) const;

    //! Mixture viscosity, Pa s.
    virtual double viscosity();
    //! Viscosity of each pure species at the current temperature, Pa s.
    virtual void getSpeciesViscosities(double* visc);
    //! Mixture thermal conductivity, W/m/K.
    virtual double thermalConductivity();
    //! Electrical conductivity, S/m.
    virtual double electricalConductivity();

    //! Sets temperature (K), pressure (Pa) and mole fractions (nSpecies()).
    virtual void setState(double T, double P, const double* X);

    //! Molar fluxes (mol/m^2/s) of each species between two states a
    //! distance `delta` (m) apart, positive from the first towards the second.
    virtual void getMolarFluxes(const double* state1, const double* state2, double delta, double* fluxes);
    //! Mass fluxes (kg/m^2/s), as getMolarFluxes().
    virtual void getMassFluxes(const double* state1, const double* state2, double delta, double* fluxes);
    //! Thermal diffusion coefficients, kg/m/s, one per species.
    virtual void getThermalDiffCoeffs(double* dt);
    //! Binary diffusion coefficients, m^2/s: D_ij at d[j * ld + i] for i, j
    //! below nSpecies(); `ld` is at least nSpecies().
    virtual void getBinaryDiffCoeffs(size_t ld, double* d);
    //! Multicomponent diffusion coefficients, m^2/s, laid out as for
    //! getBinaryDiffCoeffs().
    virtual void getMultiDiffCoeffs(size_t ld, double* d);
    //! Mixture-averaged diffusion coefficients, m^2/s, one per species.
    virtual void getMixDiffCoeffs(double* d);

protected:
    [[noreturn]] void notImplemented(const char* operation) const;
    //! Throws a VelkoraError naming `procedure` when the caller's output
    //! array `data` is null.
    static void requireOutput(const char* procedure, const double* data);
    //! `value`, or a VelkoraError naming `procedure` when it is not a finite
    //! number: no property reaches a caller as a success unless it is one.
    static double finiteResult(const char* procedure, double value);
    //! Throws as finiteResult() unless the `n` values at `data` are finite.
    static void requireFinite(const char* procedure, const double* data, size_t n);
};

} // namespace Velkora

#endif
