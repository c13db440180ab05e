//! @file Elements.h
//! Chemical elements and their standard atomic weights.
#ifndef VELKORA_PLATFORM_THERMO_ELEMENTS_H
#define VELKORA_PLATFORM_THERMO_ELEMENTS_H

#include <string>

namespace Velkora
{

//! An element of a mechanism: its symbol as the mechanism writes it ("AR"),
//! and its atomic weight, kg/mol.
struct Element
{
    std::string symbol;
    double atomicWeight = 0.0;
};

//! The standard atomic weight of the element `symbol`, in kg/mol, or a
//! negative value when the table has none. Symbols match regardless of case
//! ("AR", "Ar", "ar"). Values: the abridged standard atomic weights of
//! IUPAC's Commission on Isotopic Abundances and Atomic Weights, 2021 (T.
//! Prohaska et al., Pure Appl. Chem. 94, 573 (2022), Table 2), for the
//! elements 1 to 42 and the common heavier ones; D and T (deuterium and
//! tritium, as combustion mechanisms name them: their atomic masses) and E
//! (the electron, its mass) besides.
double standardAtomicWeight(const std::string& symbol);

} // namespace Velkora

#endif
