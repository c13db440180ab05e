// The transport functions of the C interface.
#include "velkora/interface/flux_bridge.h"

#include "velkora/interface/handleAllExceptions.h"
#include "velkora/interface/registries.h"
#include "velkora/interface/stringResult.h"
#include "velkora/platform/transport/Transport.h"

namespace Velkora
{
template <> Cabinet<Transport>::Storage* Cabinet<Transport>::s_storage = nullptr;
}

using namespace Velkora;

namespace
{
using TransportCabinet = Cabinet<Transport>;

// A negative leading dimension would become a huge size and let the
// evaluator write far past the caller's array.
size_t leadingDimension(const char* procedure, int ld)
{
    if (ld < 0) {
        throw VelkoraError(procedure, "Leading dimension {} is negative.", ld);
    }
    return static_cast<size_t>(ld);
}
} // namespace

extern "C" {

int trans_transportModel(int handle, int buflen, char* buf)
{
    try {
        return deliverString("trans_transportModel", TransportCabinet::at(handle)->transportModel(), buflen, buf);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

double trans_viscosity(int handle)
{
    try {
        return TransportCabinet::at(handle)->viscosity();
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double trans_thermalConductivity(int handle)
{
    try {
        return TransportCabinet::at(handle)->thermalConductivity();
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double trans_electricalConductivity(int handle)
{
    try {
        return TransportCabinet::at(handle)->electricalConductivity();
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

int trans_getThermalDiffCoeffs(int handle, int, double* dt)
{
    try {
        TransportCabinet::at(handle)->getThermalDiffCoeffs(dt);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int trans_getMixDiffCoeffs(int handle, int, double* d)
{
    try {
        TransportCabinet::at(handle)->getMixDiffCoeffs(d);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int trans_getBinaryDiffCoeffs(int handle, int ld, int, double* d)
{
    try {
        auto& tr = TransportCabinet::at(handle);
        tr->getBinaryDiffCoeffs(leadingDimension("trans_getBinaryDiffCoeffs", ld), d);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int trans_getMultiDiffCoeffs(int handle, int ld, int, double* d)
{
    try {
        auto& tr = TransportCabinet::at(handle);
        tr->getMultiDiffCoeffs(leadingDimension("trans_getMultiDiffCoeffs", ld), d);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int trans_getMolarFluxes(int handle, int, double* state1, int, double* state2, double delta, int, double* fluxes)
{
    try {
        TransportCabinet::at(handle)->getMolarFluxes(state1, state2, delta, fluxes);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int trans_getMassFluxes(int handle, int, double* state1, int, double* state2, double delta, int, double* fluxes)
{
    try {
        TransportCabinet::at(handle)->getMassFluxes(state1, state2, delta, fluxes);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int trans_del(int handle)
{
    try {
        TransportCabinet::del(handle);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int trans_cabinetSize(void)
{
    try {
        return TransportCabinet::size();
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

} // extern "C"
