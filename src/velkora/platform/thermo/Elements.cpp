#include "velkora/platform/thermo/Elements.h"

#include <cctype>
#include <cstring>

namespace Velkora
{

namespace
{

struct Weight
{
    const char* symbol;
    double gramsPerMole;
};

// IUPAC 2021, abridged to five significant figures (see the header).
constexpr Weight table[] = {
    {"H", 1.0080},    {"He", 4.0026},   {"Li", 6.94},     {"Be", 9.0122},   {"B", 10.81},     {"C", 12.011},
    {"N", 14.007},    {"O", 15.999},    {"F", 18.998},    {"Ne", 20.180},   {"Na", 22.990},   {"Mg", 24.305},
    {"Al", 26.982},   {"Si", 28.085},   {"P", 30.974},    {"S", 32.06},     {"Cl", 35.45},    {"Ar", 39.95},
    {"K", 39.098},    {"Ca", 40.078},   {"Sc", 44.956},   {"Ti", 47.867},   {"V", 50.942},    {"Cr", 51.996},
    {"Mn", 54.938},   {"Fe", 55.845},   {"Co", 58.933},   {"Ni", 58.693},   {"Cu", 63.546},   {"Zn", 65.38},
    {"Ga", 69.723},   {"Ge", 72.630},   {"As", 74.922},   {"Se", 78.971},   {"Br", 79.904},   {"Kr", 83.798},
    {"Rb", 85.468},   {"Sr", 87.62},    {"Y", 88.906},    {"Zr", 91.224},   {"Nb", 92.906},   {"Mo", 95.95},
    {"Ag", 107.87},   {"Cd", 112.41},   {"Sn", 118.71},   {"Sb", 121.76},   {"I", 126.90},    {"Xe", 131.29},
    {"Cs", 132.91},   {"Ba", 137.33},   {"W", 183.84},    {"Pt", 195.08},   {"Au", 196.97},   {"Hg", 200.59},
    {"Pb", 207.2},    {"U", 238.03},
    // Isotopes and the electron, by their masses.
    {"D", 2.0141018}, {"T", 3.0160493}, {"E", 5.48579909e-4},
};

bool sameSymbol(const char* a, const std::string& b)
{
    if (std::strlen(a) != b.size()) {
        return false;
    }
    for (size_t i = 0; i < b.size(); i++) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

double standardAtomicWeight(const std::string& symbol)
{
    for (const Weight& w : table) {
        if (sameSymbol(w.symbol, symbol)) {
            return 1e-3 * w.gramsPerMole;
        }
    }
    return -1.0;
}

} // namespace Velkora
