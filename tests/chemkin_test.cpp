// The CHEMKIN readers: the reference mechanisms as their files declare them,
// equations that read back, every feature of the reaction syntax, and each
// fault refused with its exact message.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ChemistryData.h"
#include "support/ErrorStack.h"
#include "support/ErrorText.h"
#include "support/LogCapture.h"
#include "support/ToyMechanism.h"
#include "velkora/platform/input/ChemkinReader.h"
#include "velkora/platform/kinetics/GasRate.h"
#include "velkora/platform/thermo/PhysicalConstants.h"
#include "velkora/velkora.h"

namespace Velkora
{
namespace
{

using testing::chemkinCase;
using testing::errorOf;

std::string fileText(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a file's own text says, counted without the reader: the names of its
// SPECIES and ELEMENTS sections, its reaction lines, its LOW lines.
struct Declared
{
    std::vector<std::string> elements, species;
    size_t reactions = 0, low = 0;
};

Declared declared(const std::string& text)
{
    Declared d;
    std::string section;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find('!'));
        std::istringstream words(line);
        std::string w;
        while (words >> w) {
            std::string u = w;
            for (char& c : u) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            if (u == "ELEMENTS" || u == "SPECIES" || u == "REACTIONS" || u == "END") {
                section = u;
                if (u == "REACTIONS") {
                    break;
                }
                continue;
            }
            if (section == "ELEMENTS") {
                d.elements.push_back(w);
            } else if (section == "SPECIES") {
                d.species.push_back(w);
            }
        }
        if (section == "REACTIONS") {
            d.reactions += line.find('=') != std::string::npos;
            // "LOW /" at the start of a line, any case and spacing.
            std::istringstream words(line);
            std::string w;
            words >> w;
            std::transform(w.begin(), w.end(), w.begin(), [](unsigned char ch) { return std::toupper(ch); });
            d.low += w == "LOW" || w.rfind("LOW/", 0) == 0;
        }
    }
    return d;
}

TEST(ChemkinMechanisms, AsTheirFilesDeclareThem)
{
    struct Case
    {
        const char* name;
        size_t species, reactions;
    };
    for (const Case& c : {Case{"h2", 10, 27}, Case{"gri", 53, 325}}) {
        VELKORA_REQUIRE_CASE(c.name);
        SCOPED_TRACE(c.name);
        auto m = readChemkin(chemkinCase(c.name) + "chem.inp", chemkinCase(c.name) + "therm.dat");
        Declared d = declared(fileText(chemkinCase(c.name) + "chem.inp"));
        EXPECT_EQ(m->nSpecies(), c.species);
        EXPECT_EQ(m->nReactions(), c.reactions);
        ASSERT_EQ(d.species.size(), m->nSpecies());
        for (size_t k = 0; k < d.species.size(); k++) {
            EXPECT_EQ(m->species(k).name, d.species[k]);
        }
        ASSERT_EQ(d.elements.size(), m->speciesSet().nElements());
        for (size_t e = 0; e < d.elements.size(); e++) {
            EXPECT_EQ(m->speciesSet().element(e).symbol, d.elements[e]);
        }
        EXPECT_EQ(d.reactions, m->nReactions());
        size_t falloff = 0;
        for (const auto& r : m->reactions()) {
            falloff += r->type() == "falloff";
            // The equation as the library prints it reads back to the same reaction.
            auto back = parseChemkinEquation(r->equation(), m->speciesSet());
            ASSERT_EQ(back->m_reactants, r->m_reactants) << r->equation();
            ASSERT_EQ(back->m_products, r->m_products) << r->equation();
            ASSERT_EQ(back->m_reversible, r->m_reversible) << r->equation();
            ASSERT_EQ(back->m_thirdBody != nullptr, r->m_thirdBody != nullptr) << r->equation();
            if (r->m_thirdBody) {
                EXPECT_EQ(back->m_thirdBody->m_name, r->m_thirdBody->m_name);
                EXPECT_EQ(back->m_thirdBody->m_inParentheses, r->m_thirdBody->m_inParentheses);
            }
        }
        EXPECT_EQ(falloff, d.low);
    }
}

TEST(ChemkinMechanisms, EquationsAndTypesAsTheLibraryPrintsThem)
{
    auto m = parseChemkin("toy.inp", testing::toyMechanism(), "", nullptr);
    const std::pair<const char*, const char*> expected[] = {
        {"H2 + O <=> H + OH", "elementary"},
        {"H + O2 + M <=> HO2 + M", "three-body"},
        {"H + O2 (+M) <=> HO2 (+M)", "falloff"},
        {"H + OH (+M) <=> H2O (+M)", "falloff"},
        {"2 OH (+N2) <=> H2O2 (+N2)", "falloff"},
        {"H2 + O2 (+M) <=> 2 OH (+M)", "falloff"},
        {"H + HO2 (+M) <=> H2O2 (+M)", "falloff"},
        {"O + OH (+M) <=> HO2 (+M)", "chemically-activated"},
        {"H + H2O <=> H2 + OH", "pressure-dependent-Arrhenius"},
        {"H + HO2 <=> H2 + O2", "elementary"},
        {"H + HO2 => 2 OH", "elementary"},
        {"H2 + 0.5 O2 => H2O", "elementary"},
        {"2 OH <=> H2O + O", "elementary"},
        {"2 OH <=> H2O + O", "elementary"},
        {"H + H2O2 <=> H2 + HO2", "elementary"},
    };
    ASSERT_EQ(m->nReactions(), std::size(expected));
    for (size_t i = 0; i < m->nReactions(); i++) {
        EXPECT_EQ(m->reaction(i)->equation(), expected[i].first);
        EXPECT_EQ(m->reaction(i)->type(), expected[i].second);
    }
    // The units: A from cm, mol, s to m, mol, s by the order, E from cal/mol.
    const auto& lindemann = static_cast<const GasRate&>(*m->reaction(2)->m_rate);
    EXPECT_DOUBLE_EQ(lindemann.rate.A, 4.52e13 * 1e-6);
    EXPECT_DOUBLE_EQ(lindemann.low.A, 1.05e19 * 1e-12);
    EXPECT_EQ(m->reaction(1)->m_rateUnits.str(), "m^6/mol^2/s");
    EXPECT_EQ(m->reaction(1)->m_thirdBody->efficiency("H2O"), 0.0);
    EXPECT_EQ(m->reaction(1)->m_thirdBody->efficiency("N2"), 0.5);
    EXPECT_EQ(m->reaction(1)->m_thirdBody->efficiency("O2"), 1.0);
    EXPECT_EQ(m->reaction(4)->m_thirdBody->efficiency("N2"), 1.0);
    EXPECT_EQ(m->reaction(4)->m_thirdBody->efficiency("AR"), 0.0);
    EXPECT_EQ(m->reaction(11)->m_orders, (Composition{{"H2", 1.5}, {"O2", 0.5}}));
    EXPECT_TRUE(static_cast<const GasRate&>(*m->reaction(12)->m_rate).duplicate);
}

TEST(ChemkinMechanisms, UnitsKeywordsConvertTheActivationEnergy)
{
    // E = 1000 in each unit, as Ea/R in K; MOLECULES multiplies A by N_A per
    // concentration power.
    const std::pair<const char*, double> units[] = {
        {"", 1000.0 * 4.184 / GasConstant},         {"CAL/MOLE", 1000.0 * 4.184 / GasConstant},
        {"KCAL/MOLE", 1e6 * 4.184 / GasConstant},   {"JOULES/MOLE", 1000.0 / GasConstant},
        {"KJOULES/MOLE", 1e6 / GasConstant},        {"KELVINS", 1000.0},
        {"EVOLTS", 1000.0 * 1.602176634e-19 / Boltzmann},
    };
    for (const auto& [keyword, ea] : units) {
        SCOPED_TRACE(keyword);
        std::string text = "ELEM H O END\nSPEC H H2 O OH END\n" + testing::toyThermo() + "REACTIONS " + keyword +
                           "\nO+H2=H+OH 2.0E+13 0.5 1000.0\nEND\n";
        auto m = parseChemkin("units.inp", text, "", nullptr);
        const auto& rate = static_cast<const GasRate&>(*m->reaction(0)->m_rate);
        EXPECT_NEAR(rate.rate.Ea_R / ea, 1.0, 1e-14);
        EXPECT_DOUBLE_EQ(rate.rate.A, 2.0e13 * 1e-6);
        EXPECT_TRUE(m->reaction(0)->m_reversible);
    }
    std::string text = "ELEM H O END\nSPEC H H2 O OH END\n" + testing::toyThermo() +
                       "REACTIONS MOLECULES KELVINS\nO+H2=H+OH 2.0E-11 0.0 500.0\nEND\n";
    auto m = parseChemkin("units.inp", text, "", nullptr);
    EXPECT_NEAR(static_cast<const GasRate&>(*m->reaction(0)->m_rate).rate.A / (2.0e-11 * 1e-6 * Avogadro), 1.0, 1e-14);
}

TEST(ChemkinThermo, RealFilesQuirksAndTheFirstEntryWins)
{
    // A midpoint over columns 66-75, a date in the name field, zero and
    // blank element counts, a blank midpoint (the global one), comment
    // lines, old-style temperatures, and a species given twice.
    const std::string thermo =
        "THERMO\n"
        "   300.000  1500.000  5000.000\n"
        "! a comment line\n"
        "H2O               L 8/89H   2O   1   00   00G   200.000  3500.000  1000.000    1\n"
        " 3.03399249E+00 2.17691804E-03-1.64072518E-07-9.70419870E-11 1.68200992E-14    2\n"
        "-3.00042971E+04 4.96677010E+00 4.19864056E+00-2.03643410E-03 6.52040211E-06    3\n"
        "-5.48797062E-09 1.77197817E-12-3.02937267E+04-8.49032208E-01                   4\n"
        "H          8/12/99 THERMH   1O   0    0    0G   200.000  5000.000              1\n"
        " 2.50000000E+00 0.00000000E+00 0.00000000E+00 0.00000000E+00 0.00000000E+00    2\n"
        " 2.54736599E+04-4.46682853E-01 2.50000000E+00 0.00000000E+00 0.00000000E+00    3\n"
        " 0.00000000E+00 0.00000000E+00 2.54736599E+04-4.46682853E-01                   4\n"
        "H                 120186H   1               G  0300.00   5000.00  1000.00      1\n"
        " 9.00000000E+00 0.00000000E+00 0.00000000E+00 0.00000000E+00 0.00000000E+00    2\n"
        " 2.54736599E+04-4.46682853E-01 2.50000000E+00 0.00000000E+00 0.00000000E+00    3\n"
        " 0.00000000E+00 0.00000000E+00 2.54736599E+04-4.46682853E-01                   4\n"
        "END\n";
    std::string mech = "ELEMENTS H O END\nSPECIES H H2O END\nREACTIONS\nEND\n";
    testing::LogCapture log;
    auto m = parseChemkin("m.inp", mech, "t.dat", &thermo);
    const Species& water = m->species(1);
    EXPECT_EQ(water.thermo.midTemp(), 1000.0);
    EXPECT_EQ(water.thermo.maxTemp(), 3500.0);
    EXPECT_NEAR(water.molarMass, 2 * 1.008e-3 + 15.999e-3, 1e-12);
    const Species& h = m->species(0);
    EXPECT_EQ(h.thermo.midTemp(), 1500.0); // blank: the global midpoint
    EXPECT_EQ(h.thermo.minTemp(), 200.0);
    EXPECT_EQ(h.thermo.cp_R(3000.0), 2.5); // the first entry, not the 9.0 of the second
    EXPECT_EQ(h.composition.size(), 1u);   // O with count 0 is no element of H
    EXPECT_EQ(log.text(), "\nWarning: t.dat, line 12: thermo data for species 'H' given again; the entry of line 8 "
                          "is used.");
    // An entry in the mechanism's own THERMO section takes precedence.
    std::string withOwn = "ELEMENTS H O END\nSPECIES H H2O END\nTHERMO\n" +
                          testing::thermoEntry(testing::toySpecies()[0]) + "END\nREACTIONS\nEND\n";
    auto own = parseChemkin("m.inp", withOwn, "t.dat", &thermo);
    EXPECT_EQ(own->species(0).thermo.high()[5], 25473.7);
    EXPECT_EQ(own->species(0).thermo.midTemp(), 1000.0);
}

TEST(ChemkinSyntax, CoefficientsCollidersAndCommentsAsCHEMKINReadsThem)
{
    std::string text = "elements h o n ar end\n"
                       "species H H2 O O2 OH HO2 H2O H2O2 N2 AR end ! trailing comment\n" +
                       testing::toyThermo() +
                       "reactions\n"
                       "2 O + M = O2 + M   1.2E17 -1.0 0.0\n"
                       "  AR/0.83/ H2O/15.4/\n"
                       "0.5O2+H2=>H2O    1.0E10 0.0 0.0 ! 0.5 before O2 without a blank\n"
                       "H+O2 (+AR) <=> HO2 (+AR)  1.0E13 0.0 0.0\n"
                       "  LOW / 1.0E18 -1.0 0.0 /\n"
                       "end\n";
    auto m = parseChemkin("syntax.inp", text, "", nullptr);
    ASSERT_EQ(m->nReactions(), 3u);
    EXPECT_EQ(m->reaction(0)->equation(), "2 O + M <=> O2 + M");
    EXPECT_EQ(m->reaction(0)->m_thirdBody->efficiency("H2O"), 15.4);
    EXPECT_EQ(m->reaction(1)->equation(), "H2 + 0.5 O2 => H2O");
    EXPECT_EQ(m->reaction(2)->equation(), "H + O2 (+AR) <=> HO2 (+AR)");
}

struct Fault
{
    std::string mechanism; //!< reactions, or a whole file when it starts with "ELEM"
    std::string message;
};

TEST(ChemkinFaults, EachIsRefusedWithFileLineColumnAndWhat)
{
    const std::string head = "ELEMENTS\nH O N AR\nEND\nSPECIES\nH H2 O O2 OH HO2 H2O H2O2 N2 AR\nEND\n" +
                             testing::toyThermo() + "REACTIONS\n";
    // Line numbers of the reactions: after the head's lines.
    const int first = static_cast<int>(std::count(head.begin(), head.end(), '\n')) + 1;
    auto at = [&](int offset) { return "ChemkinReader::read: bad.inp, line " + std::to_string(first + offset); };
    const std::string prefix = "ChemkinReader::read: bad.inp, line ";
    const Fault faults[] = {
        {"O+XY<=>H+OH 1E13 0 0\n", at(0) + ", column 3: undeclared species 'XY' in 'O+XY<=>H+OH'."},
        {"O+H2<=>H+H2O 1E13 0 0\n",
         at(0) + ": the reaction 'O+H2<=>H+H2O' does not balance: element H has 2 atoms among the reactants and 3 "
                 "among the products."},
        {"O+H2<=>OH 1E13 0 0\n",
         at(0) + ": the reaction 'O+H2<=>OH' does not balance: element H has 2 atoms among the reactants and 1 "
                 "among the products."},
        {"O+H2<=>H+OH 1E13 0 1.2.3\n", at(0) + ", column 20: malformed number '1.2.3'."},
        {"O+H2<=>H+OH 1E13 0\n", at(0) + ", column 19: a reaction needs its equation and three numbers, A, b and E."},
        {"O+H2<=>H+OH 1E13 0 0\n  FOO/1.0/\n", at(1) + ", column 3: unknown keyword or undeclared species 'FOO'."},
        {"O+H2<=>H+OH 1E13 0 0\n  BOGUS\n", at(1) + ", column 3: unknown keyword 'BOGUS'."},
        {"O+H2<=>H+OH 1E13 0 0\n  CHEB/1 2/\n", at(1) + ", column 3: keyword 'CHEB' is not supported."},
        {"LOW/1 2 3/\nO+H2<=>H+OH 1E13 0 0\n", at(0) + ", column 1: 'LOW' before the first reaction."},
        {"O+H2<=>H+OH 1E13 0 0\n  LOW/1 2 3/\n",
         at(1) + ": LOW given for 'O+H2<=>H+OH', which has no falloff third body '(+M)'."},
        {"H+O2(+M)<=>HO2(+M) 1E13 0 0\n", at(0) + ": the falloff reaction 'H+O2(+M)<=>HO2(+M)' needs LOW or HIGH."},
        {"O+H2<=>H+OH 1E13 0 0\n  TROE/0.5 1 2/\n",
         at(1) + ": TROE given for 'O+H2<=>H+OH', which is not a falloff reaction."},
        {"H+O2(+M)<=>HO2(+M) 1E13 0 0\n  LOW/1 2 3/ TROE/0.5 1/\n", at(1) + ", column 14: TROE takes 3 or 4 values, not 2."},
        {"O+H2=>H+OH 1E13 0 0\n  REV/1 2 3/\n", at(1) + ": REV given for the irreversible reaction 'O+H2=>H+OH'."},
        {"O+H2<=>H+OH 1E13 0 0\nO+H2<=>H+OH 2E13 0 0\n",
         at(1) + ": the reaction 'O+H2<=>H+OH' repeats the one of line " + std::to_string(first) +
             "; mark both DUPLICATE."},
        {"O+H2<=>H+OH 1E13 0 0\nH+OH<=>O+H2 2E13 0 0\n",
         at(1) + ": the reaction 'H+OH<=>O+H2' repeats the one of line " + std::to_string(first) +
             "; mark both DUPLICATE."},
        {"O+H2<=>H+OH 1E13 0 0\n  H2O/2/\n", at(1) + ": efficiencies given for 'O+H2<=>H+OH', which has no third body."},
        {"H+O2(+M)<=>HO2(+N2) 1E13 0 0\n  LOW/1 2 3/\n",
         at(0) + ", column 1: the falloff third body of 'H+O2(+M)<=>HO2(+N2)' must be the same on both sides."},
        {"H+O2(+XX)<=>HO2(+XX) 1E13 0 0\n  LOW/1 2 3/\n",
         at(0) + ", column 7: undeclared falloff collider 'XX' in 'H+O2(+XX)<=>HO2(+XX)'."},
        {"O+H2<=>H+OH<=>H2O 1E13 0 0\n", at(0) + ", column 12: a second arrow in 'O+H2<=>H+OH<=>H2O'."},
        {"2M+O<=>O+M 1E13 0 0\n", at(0) + ", column 1: the third body 'M' takes no coefficient in '2M+O<=>O+M'."},
        {"ELEMENTS\nH XX\nEND\n", prefix + "2, column 3: unknown element 'XX': give its atomic weight as XX/weight/."},
        {"ELEMENTS\nH O\nEND\nSPECIES\nH OH H3O\nEND\n" + testing::toyThermo() + "REACTIONS\nEND\n",
         prefix + "5, column 6: species 'H3O' has no thermo data (no thermo file was given)."},
        {"ELEMENTS\nH\nEND\nSPECIES\nH OH\nEND\n" + testing::toyThermo() + "REACTIONS\nEND\n",
         prefix + "25, column 30: species 'OH' contains element 'O', which ELEMENTS does not declare."},
        {"ELEMENTS\nH O\nEND\nREACTIONS\nEND\n", prefix + "4, column 1: REACTIONS before SPECIES."},
        {"ELEMENTS H O END\nSPECIES H H2 O OH END\n" + testing::toyThermo() + "REACTIONS FURLONGS\nEND\n",
         prefix + "46, column 11: unknown units 'FURLONGS' on the REACTIONS line."},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.mechanism);
        std::string text = f.mechanism.rfind("ELEM", 0) == 0 ? f.mechanism : head + f.mechanism + "END\n";
        EXPECT_EQ(errorOf([&] { parseChemkin("bad.inp", text, "", nullptr); }), f.message);
    }
}

TEST(ChemkinFaults, ThermoEntriesPointIntoTheirFile)
{
    std::string mech = "ELEMENTS H END\nSPECIES H END\nREACTIONS\nEND\n";
    const std::string entry = testing::thermoEntry(testing::toySpecies()[0]);
    std::string badNumber = "THERMO\n" + entry.substr(0, 81) + " 2.5000000XE+00" + entry.substr(96);
    EXPECT_EQ(errorOf([&] { parseChemkin("m.inp", mech, "t.dat", &badNumber); }),
              "ChemkinReader::read: t.dat, line 3, column 1: malformed coefficient '2.5000000XE+00'.");
    std::string shortEntry = "THERMO\n" + entry.substr(0, 163);
    EXPECT_EQ(errorOf([&] { parseChemkin("m.inp", mech, "t.dat", &shortEntry); }),
              "ChemkinReader::read: t.dat, line 2: the thermo entry of 'H' ends before its 4 lines.");
    std::string falling = "THERMO\n" + entry.substr(0, 45) + "  3000.000   500.000" + entry.substr(65);
    EXPECT_EQ(errorOf([&] { parseChemkin("m.inp", mech, "t.dat", &falling); }),
              "ChemkinReader::read: t.dat, line 2, column 46: the temperatures of 'H' must rise, low < mid < high, "
              "not 3000 1000 500.");
}

TEST(MechanismInterface, LoadsReadsAndRefuses)
{
    VELKORA_REQUIRE_CASE("h2");
    const std::string dir = chemkinCase("h2");
    int before = mech_cabinetSize();
    int h2 = mech_load((dir + "chem.inp").c_str(), (dir + "therm.dat").c_str());
    ASSERT_GE(h2, 0) << testing::lastError();
    EXPECT_EQ(mech_cabinetSize(), before + 1);
    EXPECT_EQ(mech_nSpecies(h2), 10);
    EXPECT_EQ(mech_nReactions(h2), 27);
    char name[16];
    EXPECT_EQ(mech_speciesName(h2, 2, sizeof(name), name), 3);
    EXPECT_STREQ(name, "O2");
    EXPECT_EQ(mech_speciesIndex(h2, "H2O"), 7);
    // O2 at 1000 K, JANAF: cp 34.870, s 243.578 J/mol/K; h of formation 0.
    EXPECT_NEAR(mech_speciesCp(h2, 2, 1000.0), 34.870, 0.2);
    EXPECT_NEAR(mech_speciesEntropy(h2, 2, 1000.0), 243.578, 0.3);
    EXPECT_NEAR(mech_speciesEnthalpy(h2, 2, 298.15), 0.0, 20.0);
    // A reaction handle shares the mechanism's record.
    int r = mech_reaction(h2, 3);
    char text[64];
    ASSERT_GT(rxn_equation(r, sizeof(text), text), 0);
    EXPECT_STREQ(text, "H + O2 (+M) <=> HO2 (+M)");
    ASSERT_GT(rxn_type(r, sizeof(text), text), 0);
    EXPECT_STREQ(text, "falloff");
    EXPECT_EQ(rxn_usesThirdBody(r), 1);
    EXPECT_EQ(mech_del(h2), 0);
    EXPECT_EQ(rxn_equation(r, sizeof(text), text), 25); // still alive
    EXPECT_EQ(rxn_del(r), 0);

    struct Case
    {
        std::function<double()> call;
        double status;
        std::string message;
    };
    int live = mech_load((dir + "chem.inp").c_str(), (dir + "therm.dat").c_str());
    const Case cases[] = {
        {[&] { return mech_nSpecies(h2); }, -1, "Cabinet::at: Object with index " + std::to_string(h2) + " has been deleted."},
        {[&] { return mech_speciesName(live, 10, 0, nullptr); }, -1,
         "mech_speciesName: Species index 10 out of range (the mechanism has 10 species)."},
        {[&] { return mech_speciesIndex(live, "CH4"); }, -1, "mech_speciesIndex: No species 'CH4' in the mechanism."},
        {[&] { return mech_speciesIndex(live, nullptr); }, -1, "mech_speciesIndex: The species name is a null pointer."},
        {[&] { return mech_speciesCp(live, 0, 6000.0); }, -999.999,
         "mech_speciesCp: The temperature 6000 K lies outside the data range of species 'H2', 200 to 5000 K."},
        {[&] { return mech_speciesEntropy(live, -1, 1000.0); }, -999.999,
         "mech_speciesEntropy: Species index -1 out of range (the mechanism has 10 species)."},
        {[&] { return mech_reaction(live, 27); }, -1,
         "mech_reaction: Reaction index 27 out of range (the mechanism has 27 reactions)."},
        {[&] { return mech_load("no/such/chem.inp", nullptr); }, -1,
         "ChemkinReader::read: Cannot open the mechanism file 'no/such/chem.inp': No such file or directory."},
        {[&] { return mech_load(nullptr, nullptr); }, -1, "mech_load: The mechanism file name is a null pointer."},
        {[&] { return mech_del(live + 1); }, -1, "Cabinet::del: Attempt made to delete a non-existing object."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(c.call(), c.status);
        EXPECT_EQ(testing::lastError(), c.message);
    }
    // A faulty file registers nothing.
    int size = mech_cabinetSize();
    EXPECT_EQ(mech_load((dir + "chem.inp").c_str(), nullptr), -1);
    EXPECT_EQ(testing::lastError().rfind("ChemkinReader::read: " + dir + "chem.inp, line 5, column 1: species 'H2' has "
                                         "no thermo data (no thermo file was given).",
                                         0),
              0u)
        << testing::lastError();
    EXPECT_EQ(mech_cabinetSize(), size);
    EXPECT_EQ(mech_del(live), 0);
}

} // namespace
} // namespace Velkora
