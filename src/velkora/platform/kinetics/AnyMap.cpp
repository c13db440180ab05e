#include "velkora/platform/kinetics/AnyMap.h"

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

double AnyValue::asDouble() const
{
    if (auto* d = std::get_if<double>(&m_value)) {
        return *d;
    }
    if (auto* i = std::get_if<long>(&m_value)) {
        return static_cast<double>(*i);
    }
    throw VelkoraError("AnyValue::asDouble", "The value is not a number.");
}

const std::string& AnyValue::asString() const
{
    if (auto* s = std::get_if<std::string>(&m_value)) {
        return *s;
    }
    throw VelkoraError("AnyValue::asString", "The value is not a text.");
}

const AnyValue& AnyMap::at(const std::string& key) const
{
    auto it = m_data.find(key);
    if (it == m_data.end()) {
        throw VelkoraError("AnyMap::at", "Key '{}' not found.", key);
    }
    return it->second;
}

} // namespace Velkora
