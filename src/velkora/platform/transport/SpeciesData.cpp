// Molecular data of common combustion species.
//
// Lennard-Jones parameters, dipole moments, polarizabilities and rotational
// collision numbers: the transport data base of R. J. Kee, G. Dixon-Lewis,
// J. Warnatz, M. E. Coltrin and J. A. Miller, "A Fortran computer code
// package for the evaluation of gas-phase multicomponent transport
// properties", Sandia report SAND86-8246 (1986), as distributed with
// GRI-Mech 3.0 (G. P. Smith et al., 1999). Units there: well depth over k in
// K, diameter in Angstrom, dipole in Debye, polarizability in cubic
// Angstrom.
//
// Vibrational fundamentals, in cm^-1: T. Shimanouchi, "Tables of Molecular
// Vibrational Frequencies, Consolidated Volume I", NSRDS-NBS 39 (1972), and
// for the diatomics and radicals K. P. Huber and G. Herzberg, "Constants of
// Diatomic Molecules" (1979) and M. E. Jacox, J. Phys. Chem. Ref. Data 32, 1
// (2003). Heat capacities follow from them as rigid rotors and harmonic
// oscillators; electronic contributions are left out.
//
// Molar masses: IUPAC standard atomic weights.
#include "velkora/platform/transport/SpeciesData.h"

#include <map>

namespace Velkora
{

namespace
{

constexpr double angstrom = 1e-10;
constexpr double debye = 3.33564e-30;          // C m
constexpr double cubicAngstrom = 1e-30;        // m^3
constexpr double wavenumberToKelvin = 1.4387769; // h c / k, cm K

struct Row
{
    const char* name;
    double molarMass; // g/mol
    int geometry;
    double wellDepth, diameter, dipole, polarizability, zrot;
    std::vector<double> wavenumbers; // cm^-1, degenerate modes repeated
};

const std::vector<Row>& rows()
{
    static const std::vector<Row> table = {
        {"H2", 2.01588, 1, 38.000, 2.920, 0.000, 0.790, 280.0, {4161}},
        {"H", 1.00794, 0, 145.000, 2.050, 0.000, 0.000, 0.0, {}},
        {"O2", 31.9988, 1, 107.400, 3.458, 0.000, 1.600, 3.8, {1556}},
        {"O", 15.9994, 0, 80.000, 2.750, 0.000, 0.000, 0.0, {}},
        {"OH", 17.00734, 1, 80.000, 2.750, 0.000, 0.000, 0.0, {3570}},
        {"H2O", 18.01528, 2, 572.400, 2.605, 1.844, 0.000, 4.0, {3657, 1595, 3756}},
        {"HO2", 33.00674, 2, 107.400, 3.458, 0.000, 0.000, 1.0, {3436, 1392, 1098}},
        {"H2O2", 34.01468, 2, 107.400, 3.458, 0.000, 0.000, 3.8, {3599, 1394, 877, 371, 3611, 1266}},
        {"N2", 28.0134, 1, 97.530, 3.621, 0.000, 1.760, 4.0, {2330}},
        {"AR", 39.948, 0, 136.500, 3.330, 0.000, 0.000, 0.0, {}},
        {"HE", 4.002602, 0, 10.200, 2.576, 0.000, 0.000, 0.0, {}},
        {"CO", 28.0101, 1, 98.100, 3.650, 0.000, 1.950, 1.8, {2143}},
        {"CO2", 44.0095, 1, 244.000, 3.763, 0.000, 2.650, 2.1, {1333, 667, 667, 2349}},
        {"CH4", 16.04246, 2, 141.400, 3.746, 0.000, 2.600, 13.0,
         {2917, 1534, 1534, 3019, 3019, 3019, 1306, 1306, 1306}},
        // CH3 is planar: geometry 2 here, where the data base has 1.
        {"CH3", 15.03452, 2, 144.000, 3.800, 0.000, 0.000, 0.0, {3002, 606, 3161, 3161, 1403, 1403}},
        {"CH2O", 30.02598, 2, 498.000, 3.590, 0.000, 0.000, 2.0, {2783, 1746, 1500, 1167, 2843, 1249}},
        {"C2H2", 26.03728, 1, 209.000, 4.100, 0.000, 0.000, 2.5, {3374, 1974, 3289, 612, 612, 730, 730}},
        {"C2H4", 28.05316, 2, 280.800, 3.971, 0.000, 0.000, 1.5,
         {3026, 1623, 1342, 1023, 3103, 1236, 949, 943, 3106, 826, 2989, 1444}},
        {"C2H6", 30.06904, 2, 252.300, 4.302, 0.000, 0.000, 1.5,
         {2954, 1388, 995, 289, 2896, 1379, 2969, 2969, 1468, 1468, 1190, 1190, 2985, 2985, 1469, 1469, 822,
          822}},
        {"NO", 30.0061, 1, 97.530, 3.621, 0.000, 1.760, 4.0, {1876}},
        {"NO2", 46.0055, 2, 200.000, 3.500, 0.000, 0.000, 1.0, {1318, 750, 1618}},
        {"N2O", 44.0128, 1, 232.400, 3.828, 0.000, 0.000, 1.0, {1285, 589, 589, 2224}},
        {"NH3", 17.03052, 2, 481.000, 2.920, 1.470, 0.000, 10.0, {3337, 950, 3444, 3444, 1627, 1627}},
    };
    return table;
}

const std::map<std::string, GasSpecies>& species()
{
    static const std::map<std::string, GasSpecies> all = [] {
        std::map<std::string, GasSpecies> m;
        for (const Row& r : rows()) {
            GasSpecies s;
            s.name = r.name;
            s.molarMass = 1e-3 * r.molarMass;
            s.geometry = r.geometry;
            s.wellDepth = r.wellDepth;
            s.diameter = r.diameter * angstrom;
            s.dipole = r.dipole * debye;
            s.polarizability = r.polarizability * cubicAngstrom;
            s.rotationalRelaxation = r.zrot;
            for (double w : r.wavenumbers) {
                s.vibrations.push_back(w * wavenumberToKelvin);
            }
            m.emplace(s.name, s);
        }
        // The usual spellings of the noble gases, too.
        m.emplace("Ar", m.at("AR"));
        m.at("Ar").name = "Ar";
        m.emplace("He", m.at("HE"));
        m.at("He").name = "He";
        return m;
    }();
    return all;
}

} // namespace

const GasSpecies* findGasSpecies(const std::string& name)
{
    auto it = species().find(name);
    return it == species().end() ? nullptr : &it->second;
}

std::vector<std::string> gasSpeciesNames()
{
    std::vector<std::string> names;
    for (const Row& r : rows()) {
        names.push_back(r.name);
    }
    return names;
}

} // namespace Velkora
