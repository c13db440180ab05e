// Test helper: a small mechanism in CHEMKIN format with one reaction of each
// kind, and species whose heat capacities are constant, so that a test can
// compute every rate by hand.
#ifndef VELKORA_TESTS_TOYMECHANISM_H
#define VELKORA_TESTS_TOYMECHANISM_H

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <fmt/format.h>

namespace Velkora::testing
{

//! A species of constant cp/R = a1, h/RT = a1 + a6/T, s/R = a1 ln T + a7.
struct ToySpecies
{
    const char* name;
    const char* elements; //!< CHEMKIN's element fields, 4 x 5 columns
    double a1, a6, a7;
    //! g/RT at T, by the formulas above.
    double g_RT(double T) const { return a1 + a6 / T - a1 * std::log(T) - a7; }
};

inline const std::vector<ToySpecies>& toySpecies()
{
    static const std::vector<ToySpecies> list = {
        {"H", "H   1               ", 2.5, 25473.7, -0.4467},
        {"H2", "H   2               ", 3.5, -1000.0, -3.0},
        {"O", "O   1               ", 2.5, 29230.0, 4.9},
        {"O2", "O   2               ", 3.5, -1000.0, 3.7},
        {"OH", "H   1O   1          ", 3.5, 3600.0, 1.5},
        {"HO2", "H   1O   2          ", 4.0, 250.0, 4.6},
        {"H2O", "H   2O   1          ", 4.0, -30300.0, 0.5},
        {"H2O2", "H   2O   2          ", 4.0, -17700.0, 3.3},
        {"N2", "N   2               ", 3.5, -1000.0, 3.0},
        {"AR", "AR  1               ", 2.5, -745.0, 4.37},
    };
    return list;
}

//! The four fixed-column lines of a thermo entry, from 200 to 5000 K with
//! its midpoint at `mid`.
inline std::string thermoEntry(const ToySpecies& s, double mid = 1000.0)
{
    const double a[7] = {s.a1, 0.0, 0.0, 0.0, 0.0, s.a6, s.a7};
    std::string text = fmt::format("{:<18}{:6}{}G{:>10.3f}{:>10.3f}{:>8.2f}{:>6}1\n", s.name, "", s.elements, 200.0,
                                   5000.0, mid, "");
    // Upper range a1-a5, then a6 a7 and the lower range a1-a3, then a4-a7.
    const double c[14] = {a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[0], a[1], a[2], a[3], a[4], a[5], a[6]};
    text += fmt::format("{:15.8E}{:15.8E}{:15.8E}{:15.8E}{:15.8E}    2\n", c[0], c[1], c[2], c[3], c[4]);
    text += fmt::format("{:15.8E}{:15.8E}{:15.8E}{:15.8E}{:15.8E}    3\n", c[5], c[6], c[7], c[8], c[9]);
    text += fmt::format("{:15.8E}{:15.8E}{:15.8E}{:15.8E}{:19}4\n", c[10], c[11], c[12], c[13], "");
    return text;
}

//! THERMO ALL with every toy species.
inline std::string toyThermo()
{
    std::string text = "THERMO ALL\n   200.000  1000.000  5000.000\n";
    for (const ToySpecies& s : toySpecies()) {
        text += thermoEntry(s);
    }
    return text + "END\n";
}

//! The mechanism's reactions, one of each kind (and its own header line).
inline std::string toyReactions()
{
    return R"(REACTIONS
! 1 elementary
O+H2<=>H+OH                3.87E+04  2.7   6260.
! 2 three-body with efficiencies, 0 among them
H+O2+M<=>HO2+M             2.8E+18  -0.86  0.0
   H2O/0.0/ N2/0.5/  AR/0.25/
! 3 Lindemann
H+O2(+M)<=>HO2(+M)         4.52E+13  0.0   0.0
   LOW /1.05E+19 -1.257 0.0/
   H2O/0.0/ H2/2.5/
! 4 Troe, 4 parameters
H+OH(+M)<=>H2O(+M)         1.0E+14   0.0   0.0
   LOW/2.0E+22 -2.0 0.0/  TROE/0.5 100.0 2000.0 1.0E+4/
! 5 Troe, 3 parameters, a named collider
2OH(+N2)<=>H2O2(+N2)       7.4E+13  -0.37  0.0
   LOW/2.3E+18 -0.9 -1700.0/
   TROE/0.7346 94.0 1756.0/
! 6 SRI, 3 parameters
H2+O2(+M)<=>2OH(+M)        1.0E+12   0.5  30000.
   LOW/1.0E+20 -1.0 28000./ SRI/0.5 300.0 1500.0/
! 7 SRI, 5 parameters
H+HO2(+M)<=>H2O2(+M)       1.0E+13   0.0   0.0
   LOW/1.0E+21 -1.5 0.0/
   SRI/0.6 500.0 1000.0 1.2 0.1/
! 8 chemically activated
O+OH(+M)<=>HO2(+M)         1.0E+16  -1.0   0.0
   HIGH/5.0E+13 0.2 100.0/
! 9 PLOG
H2O+H<=>H2+OH              1.0E+10   1.0  17000.
   PLOG/0.1 1.0E+09 1.1 17500./
   PLOG/1.0 2.0E+09 1.05 17200./
   PLOG/10.0 5.0E+09 1.0 17000./
! 10 explicit reverse
H+HO2<=>H2+O2              4.48E+13  0.0   1068.
   REV/ 2.0E+12 0.3 55000. /
! 11 irreversible
H+HO2=>2OH                 8.4E+13   0.0   635.
! 12 real coefficient and a forward order
H2+0.5O2=>H2O              1.0E+12   0.0  20000.
   FORD/H2 1.5/
! 13, 14 duplicates
OH+OH<=>O+H2O              3.57E+04  2.4  -2112.
   DUP
OH+OH<=>O+H2O              1.0E+05   2.0   0.0
   DUPLICATE
! 15 a reverse order
H2O2+H<=>HO2+H2            1.98E+06  2.0   2435.
   RORD/H2 0.5/
END
)";
}

//! The whole mechanism: elements, species, thermo, reactions.
inline std::string toyMechanism()
{
    std::string species;
    for (const ToySpecies& s : toySpecies()) {
        species += std::string(s.name) + " ";
    }
    return "ELEMENTS\nH O N AR\nEND\nSPECIES\n" + species + "\nEND\n" + toyThermo() + toyReactions();
}

} // namespace Velkora::testing

#endif
