// Test helper: reads the calling thread's error stack.
#ifndef VELKORA_TESTS_ERRORSTACK_H
#define VELKORA_TESTS_ERRORSTACK_H

#include <string>

#include "velkora/platform/app/Application.h"

namespace Velkora::testing
{

inline Application::Messages& errorStack()
{
    return *Application::Instance()->m_threadMessages.operator->();
}

//! The newest error text of the calling thread ("" if none).
inline std::string lastError()
{
    return errorStack().lastError();
}

} // namespace Velkora::testing

#endif
