//! @file writelog.h
//! Formatted writes to the library's log.
#ifndef VELKORA_INTERFACE_WRITELOG_H
#define VELKORA_INTERFACE_WRITELOG_H

#include <string>

#include <fmt/format.h>

#include "velkora/platform/app/Logger.h"

namespace Velkora
{

//! Formats `args` into the fmt format string `format` and appends the result
//! to the log. Texts without placeholders go to writelog_direct() as they are.
template <typename... Args>
void writelog(const std::string& format, const Args&... args)
{
    writelog_direct(fmt::vformat(format, fmt::make_format_args(args...)));
}

} // namespace Velkora

#endif
