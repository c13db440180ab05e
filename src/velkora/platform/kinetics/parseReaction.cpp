#include "velkora/platform/kinetics/parseReaction.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/kinetics/ConstantRate.h"

namespace Velkora
{

namespace
{

const char* const procedure = "parseReaction";

class EquationParser
{
public:
    explicit EquationParser(const std::string& text) : m_text(text) {}

    void parseInto(Reaction& rxn)
    {
        size_t arrowStart = 0;
        size_t arrowEnd = 0;
        findArrow(arrowStart, arrowEnd, rxn.m_reversible);
        bool leftM = parseSide(0, arrowStart, rxn.m_reactants, "reactant");
        bool rightM = parseSide(arrowEnd, m_text.size(), rxn.m_products, "product");
        if (leftM != rightM) {
            fail(leftM ? arrowEnd : 0, "third body 'M' must appear on both sides");
        }
        if (leftM) {
            rxn.m_thirdBody = std::make_shared<ThirdBody>();
        }
        rxn.m_orders = rxn.m_reactants;
    }

private:
    [[noreturn]] void fail(size_t pos, const std::string& problem) const
    {
        throw VelkoraError(procedure, "Reaction equation '{}', column {}: {}.", m_text, pos + 1,
                           problem);
    }

    void findArrow(size_t& start, size_t& end, bool& reversible) const
    {
        size_t found = std::string::npos;
        for (size_t i = 0; i < m_text.size(); i++) {
            size_t len = 0;
            if (m_text.compare(i, 3, "<=>") == 0) {
                len = 3;
            } else if (m_text.compare(i, 2, "=>") == 0) {
                len = 2;
            } else if (m_text[i] == '=') {
                len = 1; // CHEMKIN's reversible arrow
            } else {
                continue;
            }
            if (found != std::string::npos) {
                fail(i, "second arrow");
            }
            found = i;
            start = i;
            end = i + len;
            reversible = (len != 2);
            i += len - 1;
        }
        if (found == std::string::npos) {
            fail(m_text.size(), "missing arrow '=>', '<=>' or '='");
        }
        size_t falloff = m_text.find("(+");
        if (falloff != std::string::npos) {
            fail(falloff, "a falloff third body '(+M)' needs pressure-dependent rates; read such reactions from "
                          "a mechanism (mech_load)");
        }
    }

    // Parses the terms of [begin, end) into `side`; returns whether "M" was one.
    bool parseSide(size_t begin, size_t end, Composition& side, const char* which) const
    {
        if (blank(begin, end)) {
            fail(begin, std::string("empty ") + which + " side");
        }
        bool thirdBody = false;
        size_t termStart = begin;
        while (true) {
            // Terms are joined by "+", but not by the sign of a coefficient's
            // exponent ("1e+20 A").
            size_t afterNumber = numberEnd(skipBlanks(termStart, end), end);
            size_t termEnd = std::min(m_text.find('+', afterNumber), end);
            if (parseTerm(termStart, termEnd, side)) {
                if (thirdBody) {
                    fail(skipBlanks(termStart, termEnd), "third body 'M' given twice on one side");
                }
                thirdBody = true;
            }
            if (termEnd == end) {
                break;
            }
            termStart = termEnd + 1;
        }
        if (side.empty()) {
            fail(skipBlanks(begin, end), std::string(which) + " side has no species");
        }
        return thirdBody;
    }

    // End of the number that starts at `pos` (`pos` itself if none does):
    // digits and dots, then an optional exponent, "e" or "E", an optional
    // sign and at least one digit. A letter "e" not followed so starts the
    // species name ("2e" is two of species e).
    size_t numberEnd(size_t pos, size_t end) const
    {
        auto digit = [&](size_t i) { return i < end && std::isdigit(static_cast<unsigned char>(m_text[i])); };
        size_t p = pos;
        while (p < end && (digit(p) || m_text[p] == '.')) {
            p++;
        }
        if (p == pos || p >= end || (m_text[p] != 'e' && m_text[p] != 'E')) {
            return p;
        }
        size_t q = p + 1;
        if (q < end && (m_text[q] == '+' || m_text[q] == '-')) {
            q++;
        }
        if (!digit(q)) {
            return p;
        }
        while (digit(q)) {
            q++;
        }
        return q;
    }

    // Parses one term; returns true for the third body, else adds the species.
    bool parseTerm(size_t begin, size_t end, Composition& side) const
    {
        size_t pos = skipBlanks(begin, end);
        if (pos == end) {
            fail(pos, "empty term");
        }
        double coefficient = 1.0;
        bool hasCoefficient = false;
        size_t numberStart = pos;
        pos = numberEnd(pos, end);
        if (pos != numberStart) {
            std::string number = m_text.substr(numberStart, pos - numberStart);
            size_t mantissa = number.find_first_of("eE");
            std::string digits = number.substr(0, mantissa);
            if (std::count(digits.begin(), digits.end(), '.') > 1 || digits == ".") {
                fail(numberStart, "bad number '" + number + "'");
            }
            coefficient = std::strtod(number.c_str(), nullptr);
            if (!(coefficient > 0.0)) {
                fail(numberStart, "coefficient '" + number + "' is not positive");
            }
            if (!std::isfinite(coefficient)) {
                fail(numberStart, "coefficient '" + number + "' is too large");
            }
            hasCoefficient = true;
            pos = skipBlanks(pos, end);
            if (pos == end) {
                fail(numberStart, "coefficient '" + number + "' without a species");
            }
        }
        size_t nameStart = pos;
        size_t nameEnd = end;
        while (nameEnd > nameStart && std::isspace(static_cast<unsigned char>(m_text[nameEnd - 1]))) {
            nameEnd--;
        }
        std::string name = m_text.substr(nameStart, nameEnd - nameStart);
        if (!validName(name)) {
            fail(nameStart, "bad species name '" + name + "'");
        }
        if (name == "M") {
            if (hasCoefficient) {
                fail(begin, "third body 'M' cannot take a coefficient");
            }
            return true;
        }
        side[name] += coefficient;
        return false;
    }

    static bool validName(const std::string& name)
    {
        if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) {
            return false;
        }
        for (char c : name) {
            if (std::isspace(static_cast<unsigned char>(c)) || c == '+' || c == '<' || c == '='
                || c == '>') {
                return false;
            }
        }
        return true;
    }

    size_t skipBlanks(size_t pos, size_t end) const
    {
        while (pos < end && std::isspace(static_cast<unsigned char>(m_text[pos]))) {
            pos++;
        }
        return pos;
    }

    bool blank(size_t begin, size_t end) const { return skipBlanks(begin, end) == end; }

    const std::string& m_text;
};

Units rateUnits(const Reaction& rxn, const Composition& orders)
{
    double order = rxn.m_thirdBody ? 1.0 : 0.0;
    for (const auto& entry : orders) {
        order += entry.second;
    }
    // (m^3/mol)^(order-1) / s
    return Units(0.0, 3.0 * (order - 1.0), -1.0, 0.0, 0.0, 1.0 - order, 0.0);
}

void checkCoefficient(const std::string& equation, const char* which, double value)
{
    if (!std::isfinite(value) || value < 0.0) {
        throw VelkoraError(procedure,
                           "The {} rate coefficient of '{}' must be finite and not negative, not {}.",
                           which, equation, value);
    }
}

} // namespace

std::shared_ptr<Reaction> parseReaction(const std::string& equation, double forward, double reverse)
{
    auto rxn = std::make_shared<Reaction>();
    EquationParser(equation).parseInto(*rxn);
    checkCoefficient(equation, "forward", forward);
    checkCoefficient(equation, "reverse", reverse);
    if (!rxn->m_reversible && reverse != 0.0) {
        throw VelkoraError(procedure,
                           "The irreversible reaction '{}' cannot take a reverse rate coefficient ({}).",
                           equation, reverse);
    }
    auto rate = std::make_shared<ConstantRate>();
    rate->m_forward = forward;
    rate->m_reverse = reverse;
    rxn->m_rate = rate;
    rxn->m_rateUnits = rateUnits(*rxn, rxn->m_orders);
    rxn->m_input["equation"] = equation;
    rxn->m_input["rate-coefficient"] = forward;
    if (rxn->m_reversible) {
        rxn->m_input["reverse-rate-coefficient"] = reverse;
    }
    return rxn;
}

} // namespace Velkora
