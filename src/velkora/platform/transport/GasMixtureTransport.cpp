#include "velkora/platform/transport/GasMixtureTransport.h"

#include <algorithm>

namespace Velkora
{

void GasMixtureTransport::getMassFluxes(const double* state1, const double* state2, double delta, double* fluxes)
{
    const std::string procedure = className() + "::getMassFluxes";
    requireOutput(procedure.c_str(), fluxes);
    std::vector<double> j;
    massFluxes(procedure, state1, state2, delta, j);
    std::copy(j.begin(), j.end(), fluxes);
}

void GasMixtureTransport::getMolarFluxes(const double* state1, const double* state2, double delta, double* fluxes)
{
    const std::string procedure = className() + "::getMolarFluxes";
    requireOutput(procedure.c_str(), fluxes);
    std::vector<double> j;
    massFluxes(procedure, state1, state2, delta, j);
    for (size_t k = 0; k < nSpecies(); k++) {
        fluxes[k] = j[k] / molarMass(k);
    }
}

} // namespace Velkora
