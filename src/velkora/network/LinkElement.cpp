#include "velkora/network/LinkElement.h"

#include <fmt/format.h>

namespace Velkora
{

void LinkElement::setDefaultName(std::map<std::string, int>& counts)
{
    if (m_defaultNameSet) {
        return;
    }
    m_defaultNameSet = true;
    std::string kind = type();
    if (m_name.empty() || m_name == "(none)") {
        int n = counts[kind];
        m_name = fmt::format("{}_{}", kind, n);
    }
    counts[kind]++;
}

} // namespace Velkora
