#include "velkora/platform/app/Application.h"

namespace Velkora
{

void Application::Messages::addError(const std::string& text, const std::string& detail)
{
    if (m_errors.size() >= maxDepth) {
        m_errors.pop_front();
    }
    if (detail.empty()) {
        m_errors.push_back(text);
    } else {
        m_errors.push_back(text + "\n" + detail);
    }
}

std::string Application::Messages::lastError() const
{
    return m_errors.empty() ? std::string() : m_errors.back();
}

void Application::Messages::popError()
{
    if (!m_errors.empty()) {
        m_errors.pop_back();
    }
}

Application::Messages* Application::ThreadMessages::operator->()
{
    thread_local Messages messages;
    return &messages;
}

Application* Application::Instance()
{
    // Never destroyed: error reporting stays usable during static destruction.
    static Application* app = new Application();
    return app;
}

} // namespace Velkora
