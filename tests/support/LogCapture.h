// Test helper: collects everything the library writes to its log.
#ifndef VELKORA_TESTS_LOGCAPTURE_H
#define VELKORA_TESTS_LOGCAPTURE_H

#include <string>

#include "velkora/platform/app/Logger.h"

namespace Velkora::testing
{

//! Installs itself as the log sink for its lifetime.
class LogCapture
{
public:
    LogCapture()
    {
        m_previous = setLogSink([this](const std::string& text) { m_text += text; });
    }
    ~LogCapture() { setLogSink(m_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::string& text() const { return m_text; }
    void clear() { m_text.clear(); }

private:
    std::string m_text;
    LogSink m_previous;
};

} // namespace Velkora::testing

#endif
