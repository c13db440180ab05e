//! @file Mechanism.h
//! A gas-phase reaction mechanism: its elements, species and reactions.
#ifndef VELKORA_PLATFORM_KINETICS_MECHANISM_H
#define VELKORA_PLATFORM_KINETICS_MECHANISM_H

#include <memory>
#include <string>
#include <vector>

#include "velkora/platform/kinetics/CompiledMechanism.h"
#include "velkora/platform/kinetics/GasKinetics.h"
#include "velkora/platform/kinetics/Reaction.h"
#include "velkora/platform/thermo/Species.h"

namespace Velkora
{

//! The species (with their thermodynamics) and the reactions (each with a
//! GasRate) of a mechanism, as a reader built them, and their compiled form
//! (CompiledMechanism), built once here and shared by every evaluator of the
//! rates, reactor and gas object of the mechanism. The reactions are shared
//! records: a caller may hold one by handle while the mechanism lives on or
//! goes; nothing a caller can change in them through the interface (their
//! identifier, their flags) enters the rates. Each evaluator of the rates
//! (newKinetics()) has its own state and rate multipliers.
class Mechanism
{
public:
    //! Throws for a null species set or reaction, and for what
    //! CompiledMechanism refuses.
    Mechanism(std::shared_ptr<const SpeciesSet> species, std::vector<std::shared_ptr<Reaction>> reactions,
              std::string source);

    const SpeciesSet& speciesSet() const { return *m_species; }
    std::shared_ptr<const SpeciesSet> sharedSpecies() const { return m_species; }
    size_t nSpecies() const { return m_species->nSpecies(); }
    size_t nReactions() const { return m_reactions.size(); }
    //! Reaction `i`; throws for `i` out of range.
    const std::shared_ptr<Reaction>& reaction(size_t i) const;
    const std::vector<std::shared_ptr<Reaction>>& reactions() const { return m_reactions; }
    //! Species `k`; throws for `k` out of range.
    const Species& species(size_t k) const;
    //! Where the mechanism came from (the files read).
    const std::string& source() const { return m_source; }

    //! A new evaluator of the mechanism's rates, on the shared compiled model.
    std::unique_ptr<GasKinetics> newKinetics() const;
    //! The compiled model, immutable.
    const std::shared_ptr<const CompiledMechanism>& compiled() const { return m_compiled; }

private:
    std::shared_ptr<const SpeciesSet> m_species;
    std::vector<std::shared_ptr<Reaction>> m_reactions;
    std::string m_source;
    std::shared_ptr<const CompiledMechanism> m_compiled;
};

} // namespace Velkora

#endif
