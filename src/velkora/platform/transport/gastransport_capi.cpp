#include "velkora/platform/transport/gastransport_capi.h"

#include <cmath>
#include <memory>
#include <vector>

#include "velkora/interface/handleAllExceptions.h"
#include "velkora/interface/registries.h"
#include "velkora/interface/stringResult.h"
#include "velkora/platform/thermo/PhysicalConstants.h"
#include "velkora/platform/transport/GasTransport.h"
#include "velkora/platform/transport/HardSphereGas.h"

using namespace Velkora;

namespace
{
constexpr double monatomicCp = 2.5 * GasConstant; // J/mol/K

// The evaluators that take a state of temperature, pressure and mole fractions.
GasMixtureTransport& gasEvaluator(const char* procedure, int handle)
{
    auto* gas = dynamic_cast<GasMixtureTransport*>(Cabinet<Transport>::at(handle).get());
    if (gas == nullptr) {
        throw VelkoraError(procedure, "Handle {} is not a gas transport evaluator.", handle);
    }
    return *gas;
}

void requireCount(const char* procedure, int n)
{
    if (n < 1) {
        throw VelkoraError(procedure, "The species count must be at least 1, not {}.", n);
    }
}

std::string requireText(const char* procedure, const char* what, const char* text)
{
    if (text == nullptr) {
        throw VelkoraError(procedure, "The {} is a null pointer.", what);
    }
    return text;
}

template <class T>
const T* requireArray(const char* procedure, const char* what, const T* array)
{
    if (array == nullptr) {
        throw VelkoraError(procedure, "The {} are a null pointer.", what);
    }
    return array;
}
} // namespace

extern "C" {

int gastrans_new(int n, const double* molarMass, const double* diameter, const double* molarCp)
{
    try {
        if (n < 1) {
            throw VelkoraError("gastrans_new", "The species count must be at least 1, not {}.", n);
        }
        if (molarMass == nullptr || diameter == nullptr) {
            throw VelkoraError("gastrans_new", "The molar masses or diameters are a null pointer.");
        }
        std::vector<double> cp = molarCp ? std::vector<double>(molarCp, molarCp + n)
                                         : std::vector<double>(static_cast<size_t>(n), monatomicCp);
        auto gas = std::make_shared<HardSphereGas>(std::vector<double>(molarMass, molarMass + n),
                                                   std::vector<double>(diameter, diameter + n), cp);
        return Cabinet<Transport>::add(gas);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int gastrans_newFromSpecies(int n, const char* const* species, const char* model)
{
    try {
        const char* procedure = "gastrans_newFromSpecies";
        requireCount(procedure, n);
        requireArray(procedure, "species names", species);
        std::string modelName = requireText(procedure, "model name", model);
        std::vector<GasSpecies> list;
        for (int k = 0; k < n; k++) {
            std::string name = requireText(procedure, "species name", species[k]);
            const GasSpecies* data = findGasSpecies(name);
            if (data == nullptr) {
                throw VelkoraError(procedure, "Species {}: no data for '{}'.", k, name);
            }
            list.push_back(*data);
        }
        return Cabinet<Transport>::add(std::make_shared<GasTransport>(std::move(list), modelName));
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int gastrans_newFromParameters(int n, const char* const* names, const double* molarMass, const int* geometry,
                               const double* wellDepth, const double* diameter, const double* dipole,
                               const double* polarizability, const double* rotRelax, const double* molarCp,
                               const char* model)
{
    try {
        const char* procedure = "gastrans_newFromParameters";
        requireCount(procedure, n);
        requireArray(procedure, "species names", names);
        requireArray(procedure, "molar masses", molarMass);
        requireArray(procedure, "geometries", geometry);
        requireArray(procedure, "well depths", wellDepth);
        requireArray(procedure, "diameters", diameter);
        std::string modelName = requireText(procedure, "model name", model);
        std::vector<GasSpecies> list(static_cast<size_t>(n));
        for (int k = 0; k < n; k++) {
            GasSpecies& s = list[k];
            s.name = requireText(procedure, "species name", names[k]);
            s.molarMass = molarMass[k];
            s.geometry = geometry[k];
            s.wellDepth = wellDepth[k];
            s.diameter = diameter[k];
            s.dipole = dipole ? dipole[k] : 0.0;
            s.polarizability = polarizability ? polarizability[k] : 0.0;
            s.rotationalRelaxation = rotRelax ? rotRelax[k] : 1.0;
            if (molarCp) {
                if (!std::isfinite(molarCp[k]) || molarCp[k] <= 0.0) {
                    throw VelkoraError(procedure, "Species {} ({}): the heat capacity must be positive and finite, not {}.",
                                       k, s.name, molarCp[k]);
                }
                s.fixedCp = molarCp[k];
            }
        }
        return Cabinet<Transport>::add(std::make_shared<GasTransport>(std::move(list), modelName));
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int gastrans_setState(int handle, double T, double P, int n, const double* X)
{
    try {
        GasMixtureTransport& gas = gasEvaluator("gastrans_setState", handle);
        if (n < 0 || static_cast<size_t>(n) != gas.nSpecies()) {
            throw VelkoraError("gastrans_setState", "Got {} mole fractions for {} species.", n, gas.nSpecies());
        }
        gas.setState(T, P, X);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int gastrans_nSpecies(int handle)
{
    try {
        return static_cast<int>(Cabinet<Transport>::at(handle)->nSpecies());
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int gastrans_speciesName(int handle, int k, int buflen, char* buf)
{
    try {
        auto& tr = Cabinet<Transport>::at(handle);
        if (k < 0) {
            throw VelkoraError("gastrans_speciesName", "Species index {} is negative.", k);
        }
        return deliverString("gastrans_speciesName", tr->speciesName(static_cast<size_t>(k)), buflen, buf);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

} // extern "C"
