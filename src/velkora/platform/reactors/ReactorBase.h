//! @file ReactorBase.h
//! What a reactor network needs of a reactor: its species, their
//! concentrations, and the rate at which they change.
#ifndef VELKORA_PLATFORM_REACTORS_REACTORBASE_H
#define VELKORA_PLATFORM_REACTORS_REACTORBASE_H

#include <cstddef>
#include <string>
#include <vector>

namespace Velkora
{

//! A well-mixed volume of species with concentrations in mol/m^3.
class ReactorBase
{
public:
    virtual ~ReactorBase() {}

    //! The kind of reactor.
    virtual std::string type() const = 0;

    size_t nSpecies() const { return m_species.size(); }
    //! Name of species `k`; throws for `k` out of range.
    const std::string& speciesName(size_t k) const;
    //! Index of species `name`, or `npos` when the reactor has no such species.
    size_t speciesIndex(const std::string& name) const;
    static constexpr size_t npos = static_cast<size_t>(-1);

    //! Concentration of `name`; throws for an unknown species.
    double concentration(const std::string& name) const;
    //! Sets the concentration of `name`; throws for an unknown species or a
    //! value that is negative or not finite.
    void setConcentration(const std::string& name, double value);
    //! All concentrations, in species order.
    const std::vector<double>& concentrations() const { return m_concentrations; }
    //! Sets all concentrations from `c` (nSpecies() values), unchecked.
    void setConcentrations(const double* c);

    //! Grows with every change of the concentrations, so that an integrator
    //! can tell whether they were changed behind its back.
    unsigned long stateVersion() const { return m_stateVersion; }

    //! Number of reactions, each with a rate multiplier (nominally 1) that
    //! sensitivities are taken against.
    virtual size_t nReactions() const = 0;

    //! Writes dc/dt into `dcdt` for the concentrations `c`, with reaction j's
    //! rate multiplied by `multipliers[j]`.
    virtual void evalRates(const double* c, const double* multipliers, double* dcdt) const = 0;

protected:
    std::vector<std::string> m_species;
    std::vector<double> m_concentrations;
    unsigned long m_stateVersion = 0;
};

} // namespace Velkora

#endif
