//! @file Logger.h
//! The library's log: where progress text and warnings go.
#ifndef VELKORA_PLATFORM_APP_LOGGER_H
#define VELKORA_PLATFORM_APP_LOGGER_H

#include <functional>
#include <string>

namespace Velkora
{

//! Receives every piece of log text, unchanged.
using LogSink = std::function<void(const std::string&)>;

//! Appends `text` to the log exactly as given. The log goes to standard output
//! unless a sink was installed with setLogSink().
void writelog_direct(const std::string& text);

//! Sends all further log text to `sink`; an empty sink restores standard
//! output. Returns the sink that was installed before (empty for standard
//! output), so a caller can put it back.
LogSink setLogSink(LogSink sink);

//! Reports that `method` is deprecated, with `notice` telling what to use
//! instead, as one line of the log. Reported on every call.
void _warn_deprecated(const std::string& method, const std::string& notice);

} // namespace Velkora

#endif
