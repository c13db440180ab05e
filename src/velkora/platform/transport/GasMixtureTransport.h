//! @file GasMixtureTransport.h
//! What the gas evaluators share: a state of temperature, pressure and mole
//! fractions, and diffusive fluxes computed as mass fluxes.
#ifndef VELKORA_PLATFORM_TRANSPORT_GASMIXTURETRANSPORT_H
#define VELKORA_PLATFORM_TRANSPORT_GASMIXTURETRANSPORT_H

#include <string>
#include <vector>

#include "velkora/platform/transport/Transport.h"

namespace Velkora
{

//! A gas mixture evaluator whose state is set by setState(T, P, X). Models
//! compute mass fluxes; the molar ones follow by the molar masses.
class GasMixtureTransport : public Transport
{
public:
    //! Molar mass of species `k`, kg/mol.
    virtual double molarMass(size_t k) const = 0;

    void getMassFluxes(const double* state1, const double* state2, double delta, double* fluxes) override;
    void getMolarFluxes(const double* state1, const double* state2, double delta, double* fluxes) override;

protected:
    //! The model's class name, for the procedure names of its errors.
    virtual std::string className() const = 0;
    //! Mass fluxes (kg/m^2/s) between the mole fractions `X1` and `X2` a
    //! distance `delta` apart, into `j`; errors name `procedure`.
    virtual void massFluxes(const std::string& procedure, const double* X1, const double* X2, double delta,
                            std::vector<double>& j) const = 0;
};

} // namespace Velkora

#endif
