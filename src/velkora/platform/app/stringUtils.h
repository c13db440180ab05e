//! @file stringUtils.h
//! String helpers shared by the library.
#ifndef VELKORA_PLATFORM_APP_STRINGUTILS_H
#define VELKORA_PLATFORM_APP_STRINGUTILS_H

#include <cstddef>
#include <string>

namespace Velkora
{

//! Copies `source` into the `length` bytes at `dest`: as much of it as fits
//! before a terminating NUL, which is always written when `length` is at least
//! 1. Writes nothing for a null `dest` or a `length` of 0. Returns the number
//! of characters copied, the NUL not counted.
size_t copyString(const std::string& source, char* dest, size_t length);

//! `s` without its leading and trailing white space.
std::string trim(const std::string& s);

} // namespace Velkora

#endif
