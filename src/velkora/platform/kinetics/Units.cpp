#include "velkora/platform/kinetics/Units.h"

#include <fmt/format.h>

namespace Velkora
{

std::string Units::str() const
{
    // Time last, as rate units are usually written ("m^3/mol/s").
    const std::pair<const char*, double> parts[] = {
        {"kg", m_mass},       {"m", m_length},  {"mol", m_quantity},
        {"K", m_temperature}, {"A", m_current}, {"cd", m_luminousIntensity},
        {"s", m_time},
    };
    auto term = [](const char* symbol, double exponent) {
        return exponent == 1.0 ? std::string(symbol) : fmt::format("{}^{}", symbol, exponent);
    };
    std::string numerator;
    std::string denominator;
    for (const auto& [symbol, exponent] : parts) {
        if (exponent > 0) {
            numerator += (numerator.empty() ? "" : "*") + term(symbol, exponent);
        } else if (exponent < 0) {
            denominator += "/" + term(symbol, -exponent);
        }
    }
    if (numerator.empty()) {
        numerator = "1";
    }
    return numerator + denominator;
}

bool Units::operator==(const Units& other) const
{
    return m_mass == other.m_mass && m_length == other.m_length && m_time == other.m_time
           && m_temperature == other.m_temperature && m_current == other.m_current
           && m_quantity == other.m_quantity && m_luminousIntensity == other.m_luminousIntensity;
}

} // namespace Velkora
