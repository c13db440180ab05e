#include "velkora/platform/kinetics/mechanism_capi.h"

#include "velkora/interface/handleAllExceptions.h"
#include "velkora/interface/registries.h"
#include "velkora/platform/kinetics/parseReaction.h"

using namespace Velkora;

extern "C" {

int mech_newReaction(const char* equation, double forward, double reverse)
{
    try {
        if (equation == nullptr) {
            throw VelkoraError("mech_newReaction", "The equation is a null pointer.");
        }
        return Cabinet<Reaction>::add(parseReaction(equation, forward, reverse));
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

} // extern "C"
