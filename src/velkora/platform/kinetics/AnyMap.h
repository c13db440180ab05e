//! @file AnyMap.h
//! A map from names to values of a few plain types: the free-form input
//! attached to library objects.
#ifndef VELKORA_PLATFORM_KINETICS_ANYMAP_H
#define VELKORA_PLATFORM_KINETICS_ANYMAP_H

#include <memory>
#include <string>
#include <unordered_map>
#include <variant>

namespace Velkora
{

class AnyMap;
class Units;

//! Where a value came from: a position in an input text, if it has one.
class AnyBase
{
public:
    virtual ~AnyBase() {}

    int m_line = -1;    //!< line of the input text, -1 when not read from one
    int m_column = 0;   //!< column of the input text
    //! Further facts about the input the value came from; may be null.
    std::shared_ptr<AnyMap> m_metadata;
};

//! One value: nothing, a number, an integer, a truth value or a text.
class AnyValue
{
public:
    AnyValue() = default;
    AnyValue(double v) : m_value(v) {}
    AnyValue(long v) : m_value(v) {}
    AnyValue(int v) : m_value(static_cast<long>(v)) {}
    AnyValue(bool v) : m_value(v) {}
    AnyValue(std::string v) : m_value(std::move(v)) {}
    AnyValue(const char* v) : m_value(std::string(v)) {}

    bool empty() const { return m_value.index() == 0; }
    bool isDouble() const { return std::holds_alternative<double>(m_value); }
    bool isString() const { return std::holds_alternative<std::string>(m_value); }

    //! The number held, an integer widened to double. Throws for other kinds.
    double asDouble() const;
    //! The text held. Throws for other kinds.
    const std::string& asString() const;

private:
    std::variant<std::monostate, double, long, bool, std::string> m_value;
};

//! Named values, in no particular order.
class AnyMap : public AnyBase
{
public:
    AnyMap() {}

    bool hasKey(const std::string& key) const { return m_data.count(key) != 0; }
    //! The value of `key`, created empty when absent.
    AnyValue& operator[](const std::string& key) { return m_data[key]; }
    //! The value of `key`; throws when absent.
    const AnyValue& at(const std::string& key) const;
    size_t size() const { return m_data.size(); }
    bool empty() const { return m_data.empty(); }

    //! The units that numbers in this map are given in; null for SI.
    const std::shared_ptr<Units>& units() const { return m_units; }
    void setUnits(std::shared_ptr<Units> units) { m_units = std::move(units); }

private:
    std::unordered_map<std::string, AnyValue> m_data;
    std::shared_ptr<Units> m_units;
};

} // namespace Velkora

#endif
