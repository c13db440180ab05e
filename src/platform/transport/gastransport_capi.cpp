#include "platform/transport/gastransport_capi.h"

#include <memory>
#include <vector>

#include "interface/handleAllExceptions.h"
#include "interface/registries.h"
#include "platform/transport/HardSphereGas.h"

using namespace Velkora;

namespace
{
constexpr double monatomicCp = 2.5 * 8.31446261815324; // J/mol/K
}

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

int gastrans_setState(int handle, double T, double P, int n, const double* X)
{
    try {
        auto* gas = dynamic_cast<HardSphereGas*>(Cabinet<Transport>::at(handle).get());
        if (gas == nullptr) {
            throw VelkoraError("gastrans_setState", "Handle {} is not a hard-sphere gas evaluator.", handle);
        }
        if (n < 0 || static_cast<size_t>(n) != gas->nSpecies()) {
            throw VelkoraError("gastrans_setState", "Got {} mole fractions for {} species.", n, gas->nSpecies());
        }
        gas->setState(T, P, X);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

} // extern "C"
