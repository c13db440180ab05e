// The reactor module of the C interface; it owns the ReactorBase registry.
#include "velkora/platform/reactors/reactor_capi.h"

#include "velkora/interface/handleAllExceptions.h"
#include "velkora/interface/registries.h"
#include "velkora/interface/stringResult.h"
#include "velkora/platform/reactors/BatchReactor.h"

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
