//! @file Composition.h
//! Mixtures written as text: "H2:1, O2:1, N2:3.76".
#ifndef VELKORA_PLATFORM_THERMO_COMPOSITION_H
#define VELKORA_PLATFORM_THERMO_COMPOSITION_H

#include <string>
#include <vector>

#include "velkora/platform/thermo/Species.h"

namespace Velkora
{

//! The amounts of `text`, "NAME:VALUE" pairs separated by commas (blanks
//! around the parts are free), one per species of `species` in its order,
//! 0 for the species the text leaves out; not normalised. Throws, naming the
//! fault, for an empty text, a pair without ':', an unknown species, a
//! species given twice, a value that is malformed, negative or not finite,
//! and for values that sum to zero. Errors name `procedure`.
std::vector<double> parseComposition(const char* procedure, const std::string& text, const SpeciesSet& species);

} // namespace Velkora

#endif
