//! @file PhysicalConstants.h
//! Physical constants, SI units: CODATA 2018 (the defining constants of the
//! 2019 SI, exact), the thermochemical calorie and the standard atmosphere.
#ifndef VELKORA_PLATFORM_THERMO_PHYSICALCONSTANTS_H
#define VELKORA_PLATFORM_THERMO_PHYSICALCONSTANTS_H

namespace Velkora
{

constexpr double Pi = 3.14159265358979323846;
//! Avogadro's number, 1/mol (exact).
constexpr double Avogadro = 6.02214076e23;
//! Boltzmann's constant, J/K (exact).
constexpr double Boltzmann = 1.380649e-23;
//! The molar gas constant, J/mol/K: 8.314462618...
constexpr double GasConstant = Avogadro * Boltzmann;
//! The elementary charge, C (exact); an electronvolt in J.
constexpr double ElementaryCharge = 1.602176634e-19;
//! The vacuum permittivity, F/m.
constexpr double VacuumPermittivity = 8.8541878128e-12;
//! One standard atmosphere, Pa (exact).
constexpr double OneAtm = 101325.0;
//! The thermochemical calorie, J (exact).
constexpr double Calorie = 4.184;

} // namespace Velkora

#endif
