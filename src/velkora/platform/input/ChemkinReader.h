//! @file ChemkinReader.h
//! Reads mechanisms in CHEMKIN-II format.
#ifndef VELKORA_PLATFORM_INPUT_CHEMKINREADER_H
#define VELKORA_PLATFORM_INPUT_CHEMKINREADER_H

#include <memory>
#include <string>

#include "velkora/platform/kinetics/Mechanism.h"

namespace Velkora
{

//! Reads the mechanism file `mechanismFile` and, unless it is empty, the
//! thermo file `thermoFile`, in the format of the CHEMKIN-II manual (R. J.
//! Kee, F. M. Rupley and J. A. Miller, SAND89-8009, 1989).
//!
//! Mechanism file: sections ELEMENTS (ELEM), SPECIES (SPEC), an optional
//! THERMO [ALL] (THER) and REACTIONS (REAC), each closed by END (a new
//! section keyword closes one too); keywords in any case; comments from '!'
//! to the end of a line.
//! - ELEMENTS: symbols, an atomic weight where the table has none or
//!   another is wanted: "D/2.014/" (g/mol).
//! - SPECIES: names, up to the blanks between them.
//! - THERMO: entries as in a thermo file (ChemkinThermo); they take
//!   precedence over the thermo file's.
//! - REACTIONS, optionally followed by units: CAL/MOLE (the default),
//!   KCAL/MOLE, JOULES/MOLE, KJOULES/MOLE, KELVINS, EVOLTS for activation
//!   energies; MOLES (the default) or MOLECULES for pre-exponential factors.
//!
//! A reaction is an equation and A, b, E of k = A T^b exp(-E / RT), in cm,
//! mol (or molecules), s and K. Equations: species and coefficients
//! ("2O", "2 O", "0.5O2") joined by '+'; "=" or "<=>" (reversible) or "=>"
//! between the sides; "+M" for a third body, "(+M)" for a falloff third
//! body, "(+N2)" for a named collider. Auxiliary lines follow their
//! reaction: efficiencies "SP/value/" (0 allowed), LOW/k0/ (falloff),
//! HIGH/kinf/ (chemically activated), TROE/a T*** T* [T**]/, SRI/a b c [d
//! e]/, REV/A b E/, DUP or DUPLICATE, PLOG/P(atm) A b E/ (one per line or
//! several), FORD/SP order/, RORD/SP order/.
//!
//! Faults are refused with a VelkoraError that names the file, the line,
//! the column where it helps, and what is wrong: an undeclared element or
//! species, a reaction whose elements do not balance, a species without
//! thermo data, an unknown or misplaced keyword, a malformed number, two
//! identical reactions not both marked DUPLICATE. Warnings (a species
//! declared or given thermo data twice, a DUPLICATE reaction without a
//! duplicate) go to the log.
std::shared_ptr<Mechanism> readChemkin(const std::string& mechanismFile, const std::string& thermoFile);

//! The reaction of a CHEMKIN equation ("H+O2(+M)<=>HO2(+M)", blanks
//! allowed), without a rate: its sides, direction and third body, read with
//! the species of `species`. Throws for a fault as readChemkin() does, the
//! file named "equation". Every equation that Reaction::equation() writes
//! for a mechanism's reaction reads back to the same reaction.
std::shared_ptr<Reaction> parseChemkinEquation(const std::string& equation, const SpeciesSet& species);

//! readChemkin() from texts in memory: the mechanism's, named `mechanismName` in
//! messages, and, when `thermoText` is not null, the thermo data's.
std::shared_ptr<Mechanism> parseChemkin(const std::string& mechanismName, const std::string& mechanismText,
                                        const std::string& thermoName, const std::string* thermoText);

} // namespace Velkora

#endif
