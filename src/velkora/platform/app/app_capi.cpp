#include "velkora/platform/app/app_capi.h"

#include "velkora/interface/handleAllExceptions.h"
#include "velkora/interface/stringResult.h"
#include "velkora/platform/app/Application.h"
#include "velkora/platform/app/Logger.h"
#include "velkora/version.h"

using namespace Velkora;

namespace
{
Application::Messages& messages()
{
    return *Application::Instance()->m_threadMessages.operator->();
}
} // namespace

extern "C" {

int app_errorCount(void)
{
    return static_cast<int>(messages().errorCount());
}

int app_lastError(int buflen, char* buf)
{
    try {
        return deliverString("app_lastError", messages().lastError(), buflen, buf);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int app_popError(void)
{
    messages().popError();
    return static_cast<int>(messages().errorCount());
}

int app_clearErrors(void)
{
    messages().clearErrors();
    return 0;
}

int app_version(int buflen, char* buf)
{
    try {
        return deliverString("app_version", VELKORA_VERSION_STRING, buflen, buf);
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

int app_setLogWriter(velkora_LogWriter writer, void* userData)
{
    try {
        if (writer == nullptr) {
            setLogSink(LogSink());
        } else {
            setLogSink([writer, userData](const std::string& text) { writer(text.c_str(), userData); });
        }
        return 0;
    } catch (...) {
        return handleAllExceptions(-1, -999);
    }
}

} // extern "C"
