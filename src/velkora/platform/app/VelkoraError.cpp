// The out-of-line part of VelkoraError: its plain constructor and the texts it
// shows. The formatting constructor and the destructor are inline in the header.
#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

VelkoraError::VelkoraError(const std::string& procedure)
    : m_procedure(procedure), m_typeName("VelkoraError")
{
}

const char* VelkoraError::what() const noexcept
{
    try {
        if (m_what.empty()) {
            m_what = m_procedure + ": " + m_message;
        }
        return m_what.c_str();
    } catch (...) {
        // Out of memory while building the text: the message alone still describes it.
        return m_message.c_str();
    }
}

std::string VelkoraError::errorDetail() const
{
    return m_message;
}

std::string VelkoraError::errorHeading() const
{
    return m_typeName + " thrown by " + m_procedure;
}

} // namespace Velkora
