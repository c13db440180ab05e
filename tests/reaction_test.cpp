#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/kinetics/ConstantRate.h"
#include "velkora/platform/kinetics/parseReaction.h"

namespace Velkora
{
namespace
{

// The constant coefficients that parseReaction gives every reaction.
const ConstantRate& constantRate(const Reaction& rxn)
{
    return dynamic_cast<const ConstantRate&>(*rxn.m_rate);
}

TEST(Reaction, DefaultStateAsDocumented)
{
    Reaction rxn;
    EXPECT_EQ(rxn.equation(), "<=>");
    EXPECT_EQ(rxn.type(), "mass-action");
    EXPECT_TRUE(rxn.m_reactants.empty() && rxn.m_products.empty() && rxn.m_orders.empty());
    EXPECT_EQ(rxn.m_id, "");
    // Flags in declaration order: true, false, false, false, then true, false, false.
    EXPECT_EQ((std::vector<bool>{rxn.m_reversible, rxn.m_reservedFlag2, rxn.m_allowNonreactantOrders,
                                 rxn.m_reservedFlag3}),
              (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ((std::vector<bool>{rxn.m_valid, rxn.m_reservedFlag4, rxn.m_reservedFlag5}),
              (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(rxn.m_input.empty());
    EXPECT_EQ(rxn.m_rateUnits, Units(0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(rxn.m_rate, nullptr);
    EXPECT_EQ(rxn.m_thirdBody, nullptr);
    EXPECT_TRUE(rxn.m_setupCallbacks.empty());
}

TEST(ParseReaction, EquationsComeBackInCanonicalForm)
{
    struct Case
    {
        const char* input;
        const char* canonical;
        const char* type;
        const char* rateUnits;
    };
    const Case cases[] = {
        {"A + B => C", "A + B => C", "mass-action", "m^3/mol/s"},
        {"B+A=>C", "A + B => C", "mass-action", "m^3/mol/s"},
        {"A => B", "A => B", "mass-action", "1/s"},
        {"2 A <=> B", "2 A <=> B", "mass-action", "m^3/mol/s"},
        {"2A<=>B", "2 A <=> B", "mass-action", "m^3/mol/s"},
        {"A = B", "A <=> B", "mass-action", "1/s"},
        {"A + A => B", "2 A => B", "mass-action", "m^3/mol/s"},
        {"  1.5 A\t =>  B  ", "1.5 A => B", "mass-action", "m^1.5/mol^0.5/s"},
        {"H2 + .5 O2 => H2O", "H2 + 0.5 O2 => H2O", "mass-action", "m^1.5/mol^0.5/s"},
        {"2 H + M <=> H2 + M", "2 H + M <=> H2 + M", "three-body", "m^6/mol^2/s"},
        {"M+O+O<=>O2+M", "2 O + M <=> O2 + M", "three-body", "m^6/mol^2/s"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        auto rxn = parseReaction(c.input, 2.0, 0.0);
        EXPECT_EQ(rxn->equation(), c.canonical);
        EXPECT_EQ(rxn->type(), c.type);
        EXPECT_EQ(rxn->m_rateUnits.str(), c.rateUnits);
        EXPECT_EQ(rxn->m_orders, rxn->m_reactants);
        EXPECT_EQ(constantRate(*rxn).m_forward, 2.0);
        EXPECT_EQ(rxn->m_input.at("equation").asString(), c.input);
        // The canonical text parses to the same reaction.
        EXPECT_EQ(parseReaction(c.canonical, 1.0)->equation(), c.canonical);
    }
}

TEST(ParseReaction, KeepsBothRateCoefficientsOfAReversibleReaction)
{
    auto rxn = parseReaction("A <=> B", 3.0, 0.5);
    EXPECT_TRUE(rxn->m_reversible);
    EXPECT_EQ(constantRate(*rxn).m_forward, 3.0);
    EXPECT_EQ(constantRate(*rxn).m_reverse, 0.5);
    EXPECT_EQ(rxn->m_products, (Composition{{"B", 1.0}}));
}

std::string errorOf(const std::string& equation, double forward = 1.0, double reverse = 0.0)
{
    try {
        parseReaction(equation, forward, reverse);
    } catch (const VelkoraError& err) {
        return err.what();
    }
    return "no error";
}

TEST(ParseReaction, FaultsNameTheTextAndTheColumn)
{
    struct Case
    {
        const char* input;
        const char* message;
    };
    const Case cases[] = {
        {"", "Reaction equation '', column 1: missing arrow '=>', '<=>' or '='."},
        {"A + B", "Reaction equation 'A + B', column 6: missing arrow '=>', '<=>' or '='."},
        {"A = B = C", "Reaction equation 'A = B = C', column 7: second arrow."},
        {"H + O2 (+M) <=> HO2 (+M)",
         "Reaction equation 'H + O2 (+M) <=> HO2 (+M)', column 8: a falloff third body '(+M)' needs "
         "pressure-dependent rates; read such reactions from a mechanism (mech_load)."},
        {"A => B => C", "Reaction equation 'A => B => C', column 8: second arrow."},
        {"A <=> B <=> C", "Reaction equation 'A <=> B <=> C', column 9: second arrow."},
        {" => B", "Reaction equation ' => B', column 1: empty reactant side."},
        {"A =>  ", "Reaction equation 'A =>  ', column 5: empty product side."},
        {"A + => B", "Reaction equation 'A + => B', column 5: empty term."},
        {"A + + B => C", "Reaction equation 'A + + B => C', column 5: empty term."},
        {"2 => B", "Reaction equation '2 => B', column 1: coefficient '2' without a species."},
        {"A => B + 3", "Reaction equation 'A => B + 3', column 10: coefficient '3' without a species."},
        {"1.2.3 A => B", "Reaction equation '1.2.3 A => B', column 1: bad number '1.2.3'."},
        {". A => B", "Reaction equation '. A => B', column 1: bad number '.'."},
        {"0 A => B", "Reaction equation '0 A => B', column 1: coefficient '0' is not positive."},
        {"A => #C", "Reaction equation 'A => #C', column 6: bad species name '#C'."},
        {"A B => C", "Reaction equation 'A B => C', column 1: bad species name 'A B'."},
        {"2 3 A => C", "Reaction equation '2 3 A => C', column 3: bad species name '3 A'."},
        {"A + M => B", "Reaction equation 'A + M => B', column 9: third body 'M' must appear on both sides."},
        {"A => B + M", "Reaction equation 'A => B + M', column 1: third body 'M' must appear on both sides."},
        {"2 M + A => B + M", "Reaction equation '2 M + A => B + M', column 1: third body 'M' cannot take a coefficient."},
        {"M + A + M => B + M", "Reaction equation 'M + A + M => B + M', column 9: third body 'M' given twice on one side."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorOf(c.input), std::string("parseReaction: ") + c.message) << c.input;
    }
}

TEST(ParseReaction, RefusesBadRateCoefficients)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(errorOf("A => B", -1.0),
              "parseReaction: The forward rate coefficient of 'A => B' must be finite and not negative, not -1.");
    EXPECT_EQ(errorOf("A => B", inf),
              "parseReaction: The forward rate coefficient of 'A => B' must be finite and not negative, not inf.");
    EXPECT_EQ(errorOf("A => B", std::nan("")),
              "parseReaction: The forward rate coefficient of 'A => B' must be finite and not negative, not nan.");
    EXPECT_EQ(errorOf("A <=> B", 1.0, -inf),
              "parseReaction: The reverse rate coefficient of 'A <=> B' must be finite and not negative, not -inf.");
    EXPECT_EQ(errorOf("A => B", 1.0, 2.0),
              "parseReaction: The irreversible reaction 'A => B' cannot take a reverse rate coefficient (2).");
    EXPECT_EQ(errorOf("A => B", 0.0), "no error");
}

} // namespace
} // namespace Velkora
