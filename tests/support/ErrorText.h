// Test helper: the message of the VelkoraError a call throws.
#ifndef VELKORA_TESTS_ERRORTEXT_H
#define VELKORA_TESTS_ERRORTEXT_H

#include <functional>
#include <string>

#include "velkora/interface/VelkoraError.h"

namespace Velkora::testing
{

//! what() of the VelkoraError that `call` throws, or "no error".
inline std::string errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const VelkoraError& err) {
        return err.what();
    }
    return "no error";
}

} // namespace Velkora::testing

#endif
