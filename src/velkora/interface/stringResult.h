//! @file stringResult.h
//! How interface functions hand a string to a foreign caller.
#ifndef VELKORA_INTERFACE_STRINGRESULT_H
#define VELKORA_INTERFACE_STRINGRESULT_H

#include <string>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/app/stringUtils.h"

namespace Velkora
{

//! Copies `text` into the caller's buffer of `buflen` bytes (truncated, always
//! NUL-terminated when `buflen` is at least 1; nothing is written for a null
//! buffer or a length of 0) and returns the buffer size that holds all of it:
//! its length plus one, whatever `buflen` was. So a caller can ask with a
//! length of 0 first, then call again with a buffer that size.
//! A negative `buflen` is refused: converted to a size it would let the copy
//! run past the caller's buffer.
inline int deliverString(const char* procedure, const std::string& text, int buflen, char* buf)
{
    if (buflen < 0) {
        throw VelkoraError(procedure, "Buffer length {} is negative.", buflen);
    }
    copyString(text, buf, static_cast<size_t>(buflen));
    return static_cast<int>(text.size()) + 1;
}

} // namespace Velkora

#endif
