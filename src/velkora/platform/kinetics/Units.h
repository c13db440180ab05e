//! @file Units.h
//! Physical dimensions as exponents of the seven SI base units.
#ifndef VELKORA_PLATFORM_KINETICS_UNITS_H
#define VELKORA_PLATFORM_KINETICS_UNITS_H

#include <string>

namespace Velkora
{

//! The dimension of a quantity: kg^mass m^length s^time K^temperature
//! A^current mol^quantity cd^luminousIntensity. All exponents 0 is a pure number.
class Units
{
public:
    Units(double mass, double length, double time, double temperature, double current,
          double quantity, double luminousIntensity)
        : m_mass(mass), m_length(length), m_time(time), m_temperature(temperature),
          m_current(current), m_quantity(quantity), m_luminousIntensity(luminousIntensity)
    {
    }

    //! The units in SI notation, positive exponents first and seconds last:
    //! "m^3/mol/s", "1/s";
    //! "1" for a pure number.
    std::string str() const;

    bool operator==(const Units& other) const;
    bool operator!=(const Units& other) const { return !(*this == other); }

    double m_mass;
    double m_length;
    double m_time;
    double m_temperature;
    double m_current;
    double m_quantity;
    double m_luminousIntensity;
};

} // namespace Velkora

#endif
