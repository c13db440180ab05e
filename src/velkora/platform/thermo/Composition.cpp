#include "velkora/platform/thermo/Composition.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/app/stringUtils.h"

namespace Velkora
{

std::vector<double> parseComposition(const char* procedure, const std::string& text, const SpeciesSet& species)
{
    std::vector<double> amounts(species.nSpecies(), 0.0);
    std::vector<bool> given(species.nSpecies(), false);
    if (trim(text).empty()) {
        throw VelkoraError(procedure, "The composition is empty: give it as 'NAME:VALUE, ...'.");
    }
    size_t start = 0;
    double sum = 0.0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        std::string pair = trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        size_t colon = pair.find(':');
        if (colon == std::string::npos) {
            throw VelkoraError(procedure, "The composition '{}' holds '{}', not a pair 'NAME:VALUE'.", text, pair);
        }
        std::string name = trim(pair.substr(0, colon)), number = trim(pair.substr(colon + 1));
        size_t k = species.speciesIndex(name);
        if (k == SpeciesSet::npos) {
            throw VelkoraError(procedure, "The composition '{}' names the unknown species '{}'.", text, name);
        }
        if (given[k]) {
            throw VelkoraError(procedure, "The composition '{}' gives species '{}' twice.", text, name);
        }
        char* end = nullptr;
        errno = 0;
        double value = std::strtod(number.c_str(), &end);
        if (number.empty() || end != number.c_str() + number.size() || errno == ERANGE) {
            throw VelkoraError(procedure, "The composition '{}' gives species '{}' the malformed amount '{}'.", text,
                               name, number);
        }
        if (!std::isfinite(value) || value < 0.0) {
            throw VelkoraError(procedure,
                               "The composition '{}' gives species '{}' the amount {}; amounts must be finite and not "
                               "negative.",
                               text, name, value);
        }
        amounts[k] = value;
        given[k] = true;
        sum += value;
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (!(sum > 0.0)) {
        throw VelkoraError(procedure, "The amounts of the composition '{}' sum to {}; they must sum to a positive number.",
                           text, sum);
    }
    return amounts;
}

} // namespace Velkora
