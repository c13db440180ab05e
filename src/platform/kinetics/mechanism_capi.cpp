#include "platform/kinetics/mechanism_capi.h"

#include "interface/handleAllExceptions.h"
#include "interface/registries.h"
#include "platform/kinetics/parseReaction.h"

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
