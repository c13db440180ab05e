// The reactor-network functions of the C interface.
#include "velkora/interface/vessel_bridge.h"

#include "velkora/interface/handleAllExceptions.h"
#include "velkora/interface/registries.h"
#include "velkora/platform/reactors/ReactorNet.h"

namespace Velkora
{
template <> Cabinet<ReactorNet>::Storage* Cabinet<ReactorNet>::s_storage = nullptr;
}

using namespace Velkora;

namespace
{
using NetCabinet = Cabinet<ReactorNet>;
using ReactorCabinet = Cabinet<ReactorBase>;
} // namespace

extern "C" {

int reactornet_new(int n, const int* reactors)
{
    try {
        std::vector<std::shared_ptr<ReactorBase>> list = ReactorCabinet::collect("reactornet_new", n, reactors);
        return NetCabinet::add(newReactorNet(list));
    } catch (...) {
        return handleAllExceptions(-2, -999);
    }
}

int reactornet_setInitialTime(int net, double time)
{
    try {
        NetCabinet::at(net)->setInitialTime(time);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactornet_setMaxTimeStep(int net, double maxStep)
{
    try {
        NetCabinet::at(net)->setMaxTimeStep(maxStep);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactornet_setTolerances(int net, double rtol, double atol)
{
    try {
        NetCabinet::at(net)->setTolerances(rtol, atol);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactornet_setSensitivityTolerances(int net, double rtol, double atol)
{
    try {
        NetCabinet::at(net)->setSensitivityTolerances(rtol, atol);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactornet_advance(int net, double time)
{
    try {
        NetCabinet::at(net)->advance(time);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

double reactornet_step(int net)
{
    try {
        return NetCabinet::at(net)->step();
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double reactornet_time(int net)
{
    try {
        return NetCabinet::at(net)->time();
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double reactornet_rtol(int net)
{
    try {
        return NetCabinet::at(net)->m_rtol;
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double reactornet_atol(int net)
{
    try {
        return NetCabinet::at(net)->m_atol;
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double reactornet_sensitivity(int net, const char* component, int parameter, int reactor)
{
    try {
        auto& network = NetCabinet::at(net);
        if (component == nullptr) {
            throw VelkoraError("reactornet_sensitivity", "The component name is a null pointer.");
        }
        std::string name = component;
        size_t k = network->globalComponentIndex(name, static_cast<size_t>(reactor));
        return network->sensitivity(k, static_cast<size_t>(parameter));
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

int reactornet_del(int net)
{
    try {
        NetCabinet::del(net);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactornet_cabinetSize(void)
{
    try {
        return NetCabinet::size();
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

} // extern "C"
