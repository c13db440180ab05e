// The reaction functions of the C interface.
#include "velkora/interface/stoich_bridge.h"

#include "velkora/interface/handleAllExceptions.h"
#include "velkora/interface/registries.h"
#include "velkora/interface/stringResult.h"
#include "velkora/platform/kinetics/Reaction.h"

namespace Velkora
{
template <> Cabinet<Reaction>::Storage* Cabinet<Reaction>::s_storage = nullptr;
}

using namespace Velkora;

namespace
{
using ReactionCabinet = Cabinet<Reaction>;
}

extern "C" {

int rxn_new(void)
{
    try {
        return ReactionCabinet::add(std::make_shared<Reaction>());
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int rxn_equation(int handle, int buflen, char* buf)
{
    try {
        return deliverString("rxn_equation", ReactionCabinet::at(handle)->equation(), buflen, buf);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int rxn_type(int handle, int buflen, char* buf)
{
    try {
        return deliverString("rxn_type", ReactionCabinet::at(handle)->type(), buflen, buf);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int rxn_id(int handle, int buflen, char* buf)
{
    try {
        std::string id = ReactionCabinet::at(handle)->m_id;
        return deliverString("rxn_id", id, buflen, buf);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int rxn_setId(int handle, const char* id)
{
    try {
        auto& rxn = ReactionCabinet::at(handle);
        if (id == nullptr) {
            throw VelkoraError("rxn_setId", "The identifier is a null pointer.");
        }
        rxn->m_id = id;
        return 0;
    } catch (...) {
        return handleAllExceptions(-999, -999);
    }
}

int rxn_usesThirdBody(int handle)
{
    try {
        return ReactionCabinet::at(handle)->m_thirdBody ? 1 : 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int rxn_valid(int handle)
{
    try {
        return ReactionCabinet::at(handle)->m_valid ? 1 : 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int rxn_allowNonreactantOrders(int handle)
{
    try {
        return ReactionCabinet::at(handle)->m_allowNonreactantOrders ? 1 : 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int rxn_setAllowNonreactantOrders(int handle, int allow)
{
    try {
        ReactionCabinet::at(handle)->m_allowNonreactantOrders = (allow != 0);
        return 0;
    } catch (...) {
        return handleAllExceptions(-999, -999);
    }
}

int rxn_del(int handle)
{
    try {
        ReactionCabinet::del(handle);
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int rxn_cabinetSize(void)
{
    try {
        return ReactionCabinet::size();
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

} // extern "C"
