//! @file ChemkinThermo.h
//! CHEMKIN thermodynamic data: the fixed-column entries of a thermo file or
//! of a mechanism's THERMO section.
#ifndef VELKORA_PLATFORM_INPUT_CHEMKINTHERMO_H
#define VELKORA_PLATFORM_INPUT_CHEMKINTHERMO_H

#include <string>
#include <unordered_map>
#include <vector>

#include "velkora/platform/input/ChemkinInput.h"
#include "velkora/platform/thermo/Species.h"

namespace Velkora
{

//! The entries of one source of thermo data, kept as text until a species
//! asks for its entry, so that the unused entries of a large database are
//! never converted (nor can fail the load).
//!
//! The format is CHEMKIN-II's (Kee, Rupley and Miller, SAND89-8009), four
//! lines of 80 columns per species: the name in columns 1-18 (its first
//! word: what follows, a date or a comment, is ignored), four element fields
//! of 2 + 3 columns from column 25 (a fifth in columns 74-78), the phase in
//! 45, the low, high and middle temperatures from columns 46, 56 and 66,
//! then 14 coefficients in fields of 15 columns, the upper range first. As
//! real files have it: a middle temperature written over columns 66-75,
//! zero or blank element counts, blank temperatures (those of the global
//! range line, "low mid high" after THERMO, are used), comment lines
//! starting with '!', and line numbers in column 80 where given (checked).
//! A species given twice keeps its first entry; using it writes a warning to
//! the log naming both lines.
class ChemkinThermo
{
public:
    struct Entry
    {
        std::string name;
        InputLine lines[4];
    };

    //! Reads entries from `lines[begin]` on, up to a line "END" or the end;
    //! the first line may be the global range line. Returns the index after
    //! the END line (or the size). Entries read before keep precedence.
    size_t read(const std::vector<InputLine>& lines, size_t begin);

    //! The entry of `name`, or null.
    const Entry* find(const std::string& name) const;
    size_t size() const { return m_entries.size(); }

    //! The species of `entry`, its elements looked up in `elements` (the
    //! mechanism's, so far without species). Throws, pointing into the entry,
    //! for an undeclared element, a malformed number or temperatures that do
    //! not rise.
    Species toSpecies(const Entry& entry, const SpeciesSet& elements) const;

private:
    std::unordered_map<std::string, Entry> m_entries;
    //! Later entries of a species given more than once: their first lines.
    std::unordered_map<std::string, std::vector<InputLine>> m_repeats;
    double m_tLow = 300.0, m_tMid = 1000.0, m_tHigh = 5000.0;
};

} // namespace Velkora

#endif
