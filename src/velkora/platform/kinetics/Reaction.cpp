#include "velkora/platform/kinetics/Reaction.h"

#include <fmt/format.h>

namespace Velkora
{

namespace
{
std::string sideText(const Composition& side, const ThirdBody* thirdBody)
{
    std::string text;
    for (const auto& [species, coefficient] : side) {
        if (!text.empty()) {
            text += " + ";
        }
        if (coefficient != 1.0) {
            text += fmt::format("{} ", coefficient);
        }
        text += species;
    }
    if (thirdBody && thirdBody->m_inParentheses) {
        text += (text.empty() ? "(+" : " (+") + thirdBody->m_name + ")";
    } else if (thirdBody) {
        text += (text.empty() ? "" : " + ") + thirdBody->m_name;
    }
    return text;
}
} // namespace

std::string Reaction::equation() const
{
    std::string left = sideText(m_reactants, m_thirdBody.get());
    std::string right = sideText(m_products, m_thirdBody.get());
    std::string arrow = m_reversible ? "<=>" : "=>";
    return (left.empty() ? "" : left + " ") + arrow + (right.empty() ? "" : " " + right);
}

std::string Reaction::type() const
{
    std::string kind = m_rate ? m_rate->type() : "mass-action";
    if (m_thirdBody && (kind == "mass-action" || kind == "elementary")) {
        return "three-body";
    }
    return kind;
}

} // namespace Velkora
