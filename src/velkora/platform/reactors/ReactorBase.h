//! @file ReactorBase.h
//! What a reactor network needs of a reactor: its state, the rate at which
//! the state changes, and where it has one, the Jacobian of that rate.
#ifndef VELKORA_PLATFORM_REACTORS_REACTORBASE_H
#define VELKORA_PLATFORM_REACTORS_REACTORBASE_H

#include <cstddef>
#include <string>
#include <vector>

namespace Velkora
{

//! A well-mixed volume of species. Its state is a vector of components that
//! the network integrates: by default the species' concentrations in
//! mol/m^3, one component per species, named by the species; a subclass may
//! have others (an ideal-gas reactor: the temperature, then the mass
//! fractions).
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

    //! Concentration of `name`, mol/m^3; throws for an unknown species.
    virtual double concentration(const std::string& name) const;
    //! Sets the concentration of `name`; throws for an unknown species or a
    //! value that is negative or not finite.
    virtual void setConcentration(const std::string& name, double value);
    //! All concentrations, in species order.
    const std::vector<double>& concentrations() const { return m_concentrations; }
    //! Sets all concentrations from `c` (nSpecies() values), unchecked.
    void setConcentrations(const double* c);

    //! Grows with every change of the state, so that an integrator can tell
    //! whether it was changed behind its back.
    unsigned long stateVersion() const { return m_stateVersion; }

    //! Number of reactions, each with a rate multiplier (nominally 1) that
    //! sensitivities are taken against.
    virtual size_t nReactions() const = 0;

    // ---- the state the network integrates ----------------------------------

    //! Number of state components; nSpecies() by default.
    virtual size_t nComponents() const { return nSpecies(); }
    //! Index of the component `name`, or npos; the species index by default.
    virtual size_t componentIndex(const std::string& name) const { return speciesIndex(name); }
    //! The state into `y` (nComponents() values); the concentrations by default.
    virtual void getState(double* y) const;
    //! Takes the state `y` the network reached; sets the concentrations by
    //! default.
    virtual void setState(const double* y) { setConcentrations(y); }
    //! Writes dy/dt into `ydot` for the state `y`, with reaction j's rate
    //! multiplied by `multipliers[j]`.
    virtual void evalRates(const double* y, const double* multipliers, double* ydot) const = 0;

    //! Whether evalJacobian() gives d ydot / dy; false by default, when the
    //! network falls back to difference quotients.
    virtual bool hasJacobian() const { return false; }
    //! The pattern of the Jacobian, nComponents() square, in compressed
    //! columns (the rows of column j from colptr[j] to colptr[j + 1]), every
    //! diagonal entry included. Only where hasJacobian().
    virtual void jacobianPattern(std::vector<int>& colptr, std::vector<int>& rows) const;
    //! d ydot / dy at `y` into `values`, in the pattern's order. Only where
    //! hasJacobian(). A Jacobian whose sparse part leaves out a dense term of
    //! rank one, a b^T, writes a and b (nComponents() values each) into
    //! `rankA` and `rankB` and returns true, so that the linear solver can
    //! account for it exactly; otherwise it returns false.
    virtual bool evalJacobian(const double* y, const double* multipliers, double* values, double* rankA,
                              double* rankB) const;

    //! Whether the network integrates the sensitivities to this reactor's
    //! rate multipliers; true by default.
    virtual bool sensitivitiesEnabled() const { return true; }

protected:
    std::vector<std::string> m_species;
    std::vector<double> m_concentrations;
    unsigned long m_stateVersion = 0;
};

} // namespace Velkora

#endif
