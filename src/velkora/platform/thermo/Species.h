//! @file Species.h
//! Species of a gas mixture: their elements, molar masses and
//! standard-state thermodynamics.
#ifndef VELKORA_PLATFORM_THERMO_SPECIES_H
#define VELKORA_PLATFORM_THERMO_SPECIES_H

#include <cstddef>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "velkora/platform/thermo/Elements.h"
#include "velkora/platform/thermo/NasaPolynomial.h"

namespace Velkora
{

//! One species: its name, elemental composition (element index to atoms),
//! molar mass (kg/mol) and NASA polynomials.
struct Species
{
    std::string name;
    std::map<size_t, double> composition;
    double molarMass = 0.0;
    NasaPolynomial thermo;
};

//! The elements and species of a mechanism, in the order declared, with
//! lookups by name. Species names match exactly; element symbols regardless
//! of case.
class SpeciesSet
{
public:
    //! Appends an element; throws if it is declared already or its weight
    //! is not positive and finite. Returns its index.
    size_t addElement(const Element& e);
    //! Appends a species whose composition refers to elements of this set;
    //! its molar mass is computed from them. Throws for a name given twice or
    //! an element index out of range. Returns its index.
    size_t addSpecies(Species s);

    size_t nElements() const { return m_elements.size(); }
    size_t nSpecies() const { return m_species.size(); }
    const Element& element(size_t m) const { return m_elements[m]; }
    const Species& species(size_t k) const { return m_species[k]; }
    const std::vector<Species>& allSpecies() const { return m_species; }
    //! Index of element `symbol`, or npos.
    size_t elementIndex(const std::string& symbol) const;
    //! Index of species `name`, or npos.
    size_t speciesIndex(const std::string& name) const;
    //! Molar masses, kg/mol, in species order.
    const std::vector<double>& molarMasses() const { return m_molarMass; }
    //! Atoms of element `m` in species `k`.
    double atoms(size_t k, size_t m) const;

    static constexpr size_t npos = static_cast<size_t>(-1);

private:
    std::vector<Element> m_elements;
    std::vector<Species> m_species;
    std::vector<double> m_molarMass;
    std::unordered_map<std::string, size_t> m_index;
};

} // namespace Velkora

#endif
