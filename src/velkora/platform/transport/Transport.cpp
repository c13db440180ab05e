#include "velkora/platform/transport/Transport.h"

#include <cmath>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

void Transport::notImplemented(const char* operation) const
{
    throw VelkoraError(std::string("Transport::") + operation, "Not provided by the '{}' model.", transportModel());
}

void Transport::requireOutput(const char* procedure, const double* data)
{
    if (data == nullptr) {
        throw VelkoraError(procedure, "The output array is a null pointer.");
    }
}

double Transport::finiteResult(const char* procedure, double value)
{
    if (!std::isfinite(value)) {
        throw VelkoraError(procedure, "The result is not a finite number ({}).", value);
    }
    return value;
}

void Transport::requireFinite(const char* procedure, const double* data, size_t n)
{
    for (size_t k = 0; k < n; k++) {
        if (!std::isfinite(data[k])) {
            throw VelkoraError(procedure, "Result {} is not a finite number ({}).", k, data[k]);
        }
    }
}

std::string Transport::speciesName(size_t) const
{
    notImplemented("speciesName");
}

double Transport::viscosity()
{
    notImplemented("viscosity");
}

void Transport::getSpeciesViscosities(double*)
{
    notImplemented("getSpeciesViscosities");
}

double Transport::thermalConductivity()
{
    notImplemented("thermalConductivity");
}

double Transport::electricalConductivity()
{
    notImplemented("electricalConductivity");
}

void Transport::setState(double, double, const double*)
{
    notImplemented("setState");
}

void Transport::getMolarFluxes(const double*, const double*, double, double*)
{
    notImplemented("getMolarFluxes");
}

void Transport::getMassFluxes(const double*, const double*, double, double*)
{
    notImplemented("getMassFluxes");
}

void Transport::getThermalDiffCoeffs(double*)
{
    notImplemented("getThermalDiffCoeffs");
}

void Transport::getBinaryDiffCoeffs(size_t, double*)
{
    notImplemented("getBinaryDiffCoeffs");
}

void Transport::getMultiDiffCoeffs(size_t, double*)
{
    notImplemented("getMultiDiffCoeffs");
}

void Transport::getMixDiffCoeffs(double*)
{
    notImplemented("getMixDiffCoeffs");
}

} // namespace Velkora
