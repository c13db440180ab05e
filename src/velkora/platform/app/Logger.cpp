#include "velkora/platform/app/Logger.h"

#include <iostream>
#include <mutex>

namespace Velkora
{

namespace
{
std::mutex& sinkMutex()
{
    static std::mutex m;
    return m;
}

LogSink& currentSink()
{
    static LogSink sink;
    return sink;
}
} // namespace

void writelog_direct(const std::string& text)
{
    std::lock_guard<std::mutex> lock(sinkMutex());
    LogSink& sink = currentSink();
    if (sink) {
        sink(text);
    } else {
        std::cout << text << std::flush;
    }
}

LogSink setLogSink(LogSink sink)
{
    std::lock_guard<std::mutex> lock(sinkMutex());
    LogSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

void _warn_deprecated(const std::string& method, const std::string& notice)
{
    writelog_direct("\nVelkora warning: " + method + " is deprecated. " + notice + "\n");
}

} // namespace Velkora
