// The mechanism module of the C interface; it owns the Mechanism registry.
#include "velkora/platform/kinetics/mechanism_capi.h"

#include <cmath>

#include "velkora/interface/handleAllExceptions.h"
#include "velkora/interface/registries.h"
#include "velkora/interface/stringResult.h"
#include "velkora/platform/input/ChemkinReader.h"
#include "velkora/platform/kinetics/Mechanism.h"
#include "velkora/platform/kinetics/parseReaction.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace Velkora
{
template <> Cabinet<Mechanism>::Storage* Cabinet<Mechanism>::s_storage = nullptr;
}

using namespace Velkora;

namespace
{

const Species& speciesOf(const char* procedure, int mech, int k)
{
    const auto& m = Cabinet<Mechanism>::at(mech);
    if (k < 0 || static_cast<size_t>(k) >= m->nSpecies()) {
        throw VelkoraError(procedure, "Species index {} out of range (the mechanism has {} species).", k,
                           m->nSpecies());
    }
    return m->species(static_cast<size_t>(k));
}

// The species' polynomials, checked to cover T.
const NasaPolynomial& thermoAt(const char* procedure, int mech, int k, double T)
{
    const Species& s = speciesOf(procedure, mech, k);
    if (!s.thermo.inRange(T)) {
        throw VelkoraError(procedure, "The temperature {} K lies outside the data range of species '{}', {} to {} K.",
                           T, s.name, s.thermo.minTemp(), s.thermo.maxTemp());
    }
    return s.thermo;
}

} // namespace

extern "C" {

int mech_newReaction(const char* equation, double forward, double reverse)
{
    try {
        if (equation == nullptr) {
            throw VelkoraError("mech_newReaction", "The equation is a null pointer.");
        }
        return Cabinet<Reaction>::add(parseReaction(equation, forward, reverse));
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int mech_load(const char* mechanismFile, const char* thermoFile)
{
    try {
        if (mechanismFile == nullptr) {
            throw VelkoraError("mech_load", "The mechanism file name is a null pointer.");
        }
        // Everything is built before anything is registered.
        auto mechanism = readChemkin(mechanismFile, thermoFile ? thermoFile : "");
        return Cabinet<Mechanism>::add(mechanism);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int mech_nSpecies(int mech)
{
    try {
        return static_cast<int>(Cabinet<Mechanism>::at(mech)->nSpecies());
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int mech_nReactions(int mech)
{
    try {
        return static_cast<int>(Cabinet<Mechanism>::at(mech)->nReactions());
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int mech_speciesName(int mech, int k, int buflen, char* buf)
{
    try {
        return deliverString("mech_speciesName", speciesOf("mech_speciesName", mech, k).name, buflen, buf);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int mech_speciesIndex(int mech, const char* name)
{
    try {
        const auto& m = Cabinet<Mechanism>::at(mech);
        if (name == nullptr) {
            throw VelkoraError("mech_speciesIndex", "The species name is a null pointer.");
        }
        size_t k = m->speciesSet().speciesIndex(name);
        if (k == SpeciesSet::npos) {
            throw VelkoraError("mech_speciesIndex", "No species '{}' in the mechanism.", name);
        }
        return static_cast<int>(k);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

double mech_speciesCp(int mech, int k, double T)
{
    try {
        return GasConstant * thermoAt("mech_speciesCp", mech, k, T).cp_R(T);
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double mech_speciesEnthalpy(int mech, int k, double T)
{
    try {
        return GasConstant * T * thermoAt("mech_speciesEnthalpy", mech, k, T).h_RT(T);
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double mech_speciesEntropy(int mech, int k, double T)
{
    try {
        return GasConstant * thermoAt("mech_speciesEntropy", mech, k, T).s_R(T);
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

int mech_reaction(int mech, int i)
{
    try {
        const auto& m = Cabinet<Mechanism>::at(mech);
        if (i < 0 || static_cast<size_t>(i) >= m->nReactions()) {
            throw VelkoraError("mech_reaction", "Reaction index {} out of range (the mechanism has {} reactions).", i,
                               m->nReactions());
        }
        return Cabinet<Reaction>::add(m->reaction(static_cast<size_t>(i)));
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int mech_del(int mech)
{
    try {
        Cabinet<Mechanism>::del(mech);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int mech_cabinetSize(void)
{
    try {
        return Cabinet<Mechanism>::size();
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

} // extern "C"
