// The reactor module of the C interface; it owns the ReactorBase registry.
#include "velkora/platform/reactors/reactor_capi.h"

#include "velkora/interface/handleAllExceptions.h"
#include "velkora/interface/registries.h"
#include "velkora/interface/stringResult.h"
#include "velkora/platform/kinetics/Mechanism.h"
#include "velkora/platform/reactors/BatchReactor.h"
#include "velkora/platform/reactors/IdealGasReactor.h"
#include "velkora/platform/thermo/Composition.h"

namespace Velkora
{
template <> Cabinet<ReactorBase>::Storage* Cabinet<ReactorBase>::s_storage = nullptr;
}

using namespace Velkora;

namespace
{
const char* checkedName(const char* procedure, const char* name)
{
    if (name == nullptr) {
        throw VelkoraError(procedure, "The species name is a null pointer.");
    }
    return name;
}
IdealGasReactor& idealGas(const char* procedure, int reactor)
{
    auto* r = dynamic_cast<IdealGasReactor*>(Cabinet<ReactorBase>::at(reactor).get());
    if (r == nullptr) {
        throw VelkoraError(procedure, "Reactor {} is no ideal-gas reactor.", reactor);
    }
    return *r;
}
} // namespace

extern "C" {

int reactor_new(int n, const int* reactions)
{
    try {
        auto list = Cabinet<Reaction>::collect("reactor_new", n, reactions);
        return Cabinet<ReactorBase>::add(std::make_shared<BatchReactor>(list));
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactor_nSpecies(int reactor)
{
    try {
        return static_cast<int>(Cabinet<ReactorBase>::at(reactor)->nSpecies());
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactor_speciesName(int reactor, int k, int buflen, char* buf)
{
    try {
        auto& r = Cabinet<ReactorBase>::at(reactor);
        if (k < 0) {
            throw VelkoraError("reactor_speciesName", "Species index {} is negative.", k);
        }
        return deliverString("reactor_speciesName", r->speciesName(static_cast<size_t>(k)), buflen, buf);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactor_setConcentration(int reactor, const char* species, double value)
{
    try {
        auto& r = Cabinet<ReactorBase>::at(reactor);
        r->setConcentration(checkedName("reactor_setConcentration", species), value);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

double reactor_concentration(int reactor, const char* species)
{
    try {
        auto& r = Cabinet<ReactorBase>::at(reactor);
        return r->concentration(checkedName("reactor_concentration", species));
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

int reactor_newIdealGas(int mech, const char* type, double T, double P, const char* composition)
{
    try {
        const char* procedure = "reactor_newIdealGas";
        auto mechanism = Cabinet<Mechanism>::at(mech);
        if (type == nullptr) {
            throw VelkoraError(procedure, "The reactor type is a null pointer.");
        }
        if (composition == nullptr) {
            throw VelkoraError(procedure, "The composition is a null pointer.");
        }
        IdealGasReactor::Kind kind = IdealGasReactor::kindFromName(type);
        std::vector<double> X = parseComposition(procedure, composition, mechanism->speciesSet());
        return Cabinet<ReactorBase>::add(std::make_shared<IdealGasReactor>(mechanism, kind, T, P, X.data()));
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

double reactor_temperature(int reactor)
{
    try {
        return idealGas("reactor_temperature", reactor).temperature();
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double reactor_pressure(int reactor)
{
    try {
        return idealGas("reactor_pressure", reactor).pressure();
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double reactor_density(int reactor)
{
    try {
        return idealGas("reactor_density", reactor).density();
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double reactor_moleFraction(int reactor, const char* species)
{
    try {
        IdealGasReactor& r = idealGas("reactor_moleFraction", reactor);
        return r.moleFraction(checkedName("reactor_moleFraction", species));
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

double reactor_massFraction(int reactor, const char* species)
{
    try {
        IdealGasReactor& r = idealGas("reactor_massFraction", reactor);
        return r.massFraction(checkedName("reactor_massFraction", species));
    } catch (...) {
        return handleAllExceptions(-999.999, -999.999);
    }
}

int reactor_setSensitivities(int reactor, int enabled)
{
    try {
        idealGas("reactor_setSensitivities", reactor).setSensitivitiesEnabled(enabled != 0);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactor_del(int reactor)
{
    try {
        Cabinet<ReactorBase>::del(reactor);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int reactor_cabinetSize(void)
{
    try {
        return Cabinet<ReactorBase>::size();
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

} // extern "C"
