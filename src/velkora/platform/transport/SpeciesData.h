//! @file SpeciesData.h
//! Molecular data of common gas species for kinetic-theory transport.
#ifndef VELKORA_PLATFORM_TRANSPORT_SPECIESDATA_H
#define VELKORA_PLATFORM_TRANSPORT_SPECIESDATA_H

#include <string>
#include <vector>

namespace Velkora
{

//! What kinetic theory needs of one species, in SI units.
struct GasSpecies
{
    std::string name;
    double molarMass = 0.0;       //!< kg/mol
    int geometry = 0;             //!< 0 atom, 1 linear molecule, 2 nonlinear molecule
    double wellDepth = 0.0;       //!< Lennard-Jones well depth over Boltzmann's constant, K
    double diameter = 0.0;        //!< Lennard-Jones collision diameter, m
    double dipole = 0.0;          //!< dipole moment, C m
    double polarizability = 0.0;  //!< m^3
    double rotationalRelaxation = 0.0; //!< collision number Z_rot at 298 K
    //! Characteristic temperatures of the vibrational modes, K, one entry per
    //! mode (degenerate modes repeated): the harmonic-oscillator heat capacity.
    std::vector<double> vibrations;
    //! A constant molar heat capacity cp, J/mol/K, that replaces the one
    //! computed from geometry and vibrations; 0 for none.
    double fixedCp = 0.0;
};

//! The species the library carries data for, by name ("N2", "H2O", ...);
//! null for an unknown name. Sources are cited in SpeciesData.cpp.
const GasSpecies* findGasSpecies(const std::string& name);

//! The names of those species.
std::vector<std::string> gasSpeciesNames();

} // namespace Velkora

#endif
