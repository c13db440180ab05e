#include "platform/transport/Transport.h"

#include "interface/VelkoraError.h"

namespace Velkora
{

void Transport::notImplemented(const char* operation) const
{
    throw VelkoraError(std::string("Transport::") + operation, "Not provided by the '{}' model.", transportModel());
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
