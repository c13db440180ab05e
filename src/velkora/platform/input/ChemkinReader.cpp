#include "velkora/platform/input/ChemkinReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <unordered_map>

#include <fmt/format.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/app/Logger.h"
#include "velkora/platform/input/ChemkinInput.h"
#include "velkora/platform/input/ChemkinThermo.h"
#include "velkora/platform/kinetics/GasRate.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace Velkora
{

namespace
{

enum class Section { None, Elements, Species, Thermo, Reactions };

Section sectionOf(const std::string& word)
{
    const std::string w = upperCase(word);
    if (w == "ELEM" || w == "ELEMENT" || w == "ELEMENTS") {
        return Section::Elements;
    }
    if (w == "SPEC" || w == "SPECIE" || w == "SPECIES") {
        return Section::Species;
    }
    if (w == "THER" || w == "THERMO") {
        return Section::Thermo;
    }
    if (w == "REAC" || w == "REACTION" || w == "REACTIONS") {
        return Section::Reactions;
    }
    return Section::None;
}

//! One term of an equation.
struct Term
{
    std::string species;
    double coefficient;
};

//! A parsed equation.
struct Equation
{
    std::vector<Term> left, right;
    bool reversible = true;
    bool plusM = false;         //!< "+ M" on both sides
    std::string falloff;        //!< "M" or the collider of "(+...)", empty if none
};

//! An item of an auxiliary line: a word and, between slashes, its values.
struct Item
{
    std::string word;
    std::vector<Token> values;
    bool slashes = false;
    size_t column = 0;
};

//! A reaction as read, before its units are applied.
struct Pending
{
    InputLine line;
    std::string written; //!< the equation as written, blanks dropped
    Equation eq;
    double A = 0, b = 0, E = 0;
    bool low = false, high = false, troe = false, sri = false, rev = false, dup = false;
    double lowABE[3] = {0, 0, 0}, highABE[3] = {0, 0, 0}, revABE[3] = {0, 0, 0};
    std::vector<double> blending;
    std::vector<std::array<double, 4>> plog; //!< P (atm), A, b, E
    std::map<std::string, double> efficiencies, ford, rord;
    InputLine lastAux; //!< where errors of the auxiliary data point
};

bool isBlankChar(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

//! CHEMKIN's equations, read with the species a mechanism declares.
class EquationParser
{
public:
    explicit EquationParser(std::function<bool(const std::string&)> known) : m_known(std::move(known)) {}


    Equation parse(const InputLine& line, const std::string& eq, const std::vector<size_t>& col)
    {
        auto at = [&](size_t i) { return i < col.size() ? col[i] : (col.empty() ? 1 : col.back() + 1); };
        size_t arrow = std::string::npos, arrowLen = 0;
        Equation result;
        for (size_t i = 0; i < eq.size(); i++) {
            size_t len = 0;
            bool reversible = true;
            if (eq.compare(i, 3, "<=>") == 0) {
                len = 3;
            } else if (eq.compare(i, 2, "=>") == 0) {
                len = 2;
                reversible = false;
            } else if (eq[i] == '=') {
                len = 1;
            } else {
                continue;
            }
            if (arrow != std::string::npos) {
                inputError(line, at(i), fmt::format("a second arrow in '{}'", eq));
            }
            arrow = i;
            arrowLen = len;
            result.reversible = reversible;
            i += len - 1;
        }
        if (arrow == std::string::npos) {
            inputError(line, at(0), fmt::format("no arrow ('=', '<=>' or '=>') in '{}'", eq));
        }
        std::string leftFalloff, rightFalloff;
        bool leftM = parseSide(line, eq, col, 0, arrow, result.left, leftFalloff, "reactants");
        bool rightM = parseSide(line, eq, col, arrow + arrowLen, eq.size(), result.right, rightFalloff, "products");
        if (leftM != rightM) {
            inputError(line, at(0), fmt::format("the third body 'M' of '{}' must be on both sides", eq));
        }
        if (leftFalloff != rightFalloff) {
            inputError(line, at(0), fmt::format("the falloff third body of '{}' must be the same on both sides", eq));
        }
        if (leftM && !leftFalloff.empty()) {
            inputError(line, at(0), fmt::format("'{}' has both '+M' and a falloff third body", eq));
        }
        result.plusM = leftM;
        result.falloff = leftFalloff;
        return result;
    }

    // Parses eq[begin, end) into `terms`; returns whether "+M" was a term.
    bool parseSide(const InputLine& line, const std::string& eq, const std::vector<size_t>& col, size_t begin,
                   size_t end, std::vector<Term>& terms, std::string& falloff, const char* which)
    {
        auto at = [&](size_t i) { return i < col.size() ? col[i] : (col.empty() ? 1 : col.back() + 1); };
        std::string s = eq.substr(begin, end - begin);
        if (s.empty()) {
            inputError(line, at(begin), fmt::format("no {} in '{}'", which, eq));
        }
        // A falloff third body closes the side: "(+M)" or "(+SPECIES)".
        if (s.back() == ')') {
            for (size_t p = s.rfind("(+"); p != std::string::npos; p = p > 0 ? s.rfind("(+", p - 1) : std::string::npos) {
                std::string inner = s.substr(p + 2, s.size() - p - 3);
                if (inner == "M" || known(inner)) {
                    falloff = inner;
                    s.resize(p);
                    break;
                }
            }
        }
        if (s.empty()) {
            inputError(line, at(begin), fmt::format("no {} besides the third body in '{}'", which, eq));
        }
        std::vector<char> failed(s.size() + 1, 0);
        bool plusM = false;
        std::vector<Term> found;
        if (!terms_(s, 0, found, plusM, failed)) {
            size_t open = s.rfind("(+");
            if (falloff.empty() && open != std::string::npos && s.back() == ')') {
                inputError(line, at(begin + open + 2), fmt::format("undeclared falloff collider '{}' in '{}'",
                                                                   s.substr(open + 2, s.size() - open - 3), eq));
            }
            // Point at the first term that is no species.
            size_t start = 0;
            while (true) {
                size_t plus = s.find('+', start);
                std::string term = s.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
                if (term.empty()) {
                    inputError(line, at(begin + start), fmt::format("an empty term in '{}'", eq));
                }
                size_t n = 0;
                while (n < term.size() && (std::isdigit(static_cast<unsigned char>(term[n])) || term[n] == '.')) {
                    n++;
                }
                const std::string name = term.substr(n);
                if (name == "M" && n > 0) {
                    inputError(line, at(begin + start), fmt::format("the third body 'M' takes no coefficient in '{}'", eq));
                }
                if (!known(term) && !known(name) && name != "M") {
                    inputError(line, at(begin + start + (name.empty() ? 0 : n)),
                               fmt::format("undeclared species '{}' in '{}'", name.empty() ? term : name, eq));
                }
                if (plus == std::string::npos) {
                    break;
                }
                start = plus + 1;
            }
            inputError(line, at(begin), fmt::format("cannot read the {} of '{}'", which, eq));
        }
        for (const Term& t : found) {
            auto same = std::find_if(terms.begin(), terms.end(), [&](const Term& u) { return u.species == t.species; });
            if (same != terms.end()) {
                same->coefficient += t.coefficient;
            } else {
                terms.push_back(t);
            }
        }
        return plusM;
    }

    // Splits s[start...] into terms: the longest species name (or "M") that
    // a '+' or the end follows, with an optional number before it, then the
    // rest in the same way; names may hold '+' themselves ("HCO+").
    bool terms_(const std::string& s, size_t start, std::vector<Term>& out, bool& plusM, std::vector<char>& failed)
    {
        if (start >= s.size() || failed[start]) {
            return false;
        }
        for (size_t q = s.size(); q > start; q--) {
            if (q != s.size() && s[q] != '+') {
                continue;
            }
            std::string term = s.substr(start, q - start);
            size_t n = 0;
            while (n < term.size() && (std::isdigit(static_cast<unsigned char>(term[n])) || term[n] == '.')) {
                n++;
            }
            struct Option
            {
                std::string name;
                double coefficient;
                bool ok;
            };
            Option options[2] = {{term, 1.0, true}, {term.substr(n), 1.0, n > 0 && n < term.size()}};
            if (options[1].ok) {
                options[1].ok = parseNumber(term.substr(0, n), options[1].coefficient) && options[1].coefficient > 0.0;
            }
            for (const Option& o : options) {
                if (!o.ok) {
                    continue;
                }
                bool isM = o.name == "M" && &o == &options[0];
                if (!isM && !known(o.name)) {
                    continue;
                }
                std::vector<Term> rest;
                bool restM = false;
                if (q != s.size() && !terms_(s, q + 1, rest, restM, failed)) {
                    continue;
                }
                if (isM && restM) {
                    continue; // "M" twice on one side
                }
                out.clear();
                if (!isM) {
                    out.push_back({o.name, o.coefficient});
                }
                out.insert(out.end(), rest.begin(), rest.end());
                plusM = isM || restM;
                return true;
            }
        }
        failed[start] = 1;
        return false;
    }

private:
    bool known(const std::string& name) const { return m_known(name); }

    std::function<bool(const std::string&)> m_known;
};

class Reader
{
public:
    Reader(std::string mechanismName, std::string mechanismText, std::string thermoName, const std::string* thermoText)
        : m_mechName(std::move(mechanismName)), m_thermoName(std::move(thermoName))
    {
        m_mechLines = splitLines(m_mechName, mechanismText);
        if (thermoText) {
            m_thermoLines = splitLines(m_thermoName, *thermoText);
            m_haveThermoFile = true;
        }
    }

    std::shared_ptr<Mechanism> read()
    {
        readMechanism();
        if (m_haveThermoFile) {
            readThermoFile();
        }
        auto species = buildSpecies();
        std::vector<std::shared_ptr<Reaction>> reactions;
        reactions.reserve(m_pending.size());
        for (const Pending& p : m_pending) {
            reactions.push_back(finish(p, *species));
        }
        checkDuplicates(reactions);
        std::string source = m_haveThermoFile ? m_mechName + " with " + m_thermoName : m_mechName;
        return std::make_shared<Mechanism>(species, std::move(reactions), source);
    }

private:
    // ---- sections -------------------------------------------------------

    void readMechanism()
    {
        Section section = Section::None;
        bool sawSpecies = false;
        for (size_t i = 0; i < m_mechLines.size(); i++) {
            const InputLine& line = m_mechLines[i];
            const std::string code = withoutComment(line.text);
            std::vector<Token> words = tokens(code);
            if (words.empty()) {
                continue;
            }
            Section keyword = sectionOf(words[0].text);
            if (keyword != Section::None) {
                section = keyword;
                if (section == Section::Species) {
                    sawSpecies = true;
                }
                if (section == Section::Thermo) {
                    for (size_t w = 1; w < words.size(); w++) {
                        if (upperCase(words[w].text) != "ALL") {
                            inputError(line, words[w].column, fmt::format("unknown word '{}' after THERMO", words[w].text));
                        }
                    }
                    i = m_localThermo.read(m_mechLines, i + 1) - 1;
                    section = Section::None;
                    continue;
                }
                if (section == Section::Reactions) {
                    if (!sawSpecies) {
                        inputError(line, words[0].column, "REACTIONS before SPECIES");
                    }
                    readUnits(line, words);
                    continue;
                }
                words.erase(words.begin());
            } else if (upperCase(words[0].text) == "END" && section != Section::Reactions) {
                section = Section::None;
                continue;
            }
            switch (section) {
            case Section::Elements:
                if (readElements(line, code, words)) {
                    section = Section::None;
                }
                break;
            case Section::Species:
                for (const Token& t : words) {
                    if (upperCase(t.text) == "END") {
                        section = Section::None;
                        break;
                    }
                    declareSpecies(line, t);
                }
                break;
            case Section::Reactions:
                if (upperCase(words[0].text) == "END") {
                    section = Section::None;
                } else {
                    readReactionLine(line, code, words);
                }
                break;
            default:
                inputError(line, words[0].column,
                           fmt::format("'{}' outside a section (ELEMENTS, SPECIES, THERMO, REACTIONS)", words[0].text));
            }
        }
    }

    // Returns whether END closed the section.
    bool readElements(const InputLine& line, const std::string& code, const std::vector<Token>& words)
    {
        if (words.empty()) {
            return false;
        }
        size_t pos = words[0].column - 1;
        while (pos < code.size()) {
            while (pos < code.size() && isBlankChar(code[pos])) {
                pos++;
            }
            if (pos >= code.size()) {
                break;
            }
            size_t start = pos;
            while (pos < code.size() && !isBlankChar(code[pos]) && code[pos] != '/') {
                pos++;
            }
            std::string symbol = code.substr(start, pos - start);
            while (pos < code.size() && isBlankChar(code[pos])) {
                pos++;
            }
            double weight = -1.0;
            if (pos < code.size() && code[pos] == '/') {
                size_t close = code.find('/', pos + 1);
                if (close == std::string::npos) {
                    inputError(line, pos + 1, fmt::format("the atomic weight of '{}' lacks its closing '/'", symbol));
                }
                std::vector<Token> inside = tokens(code.substr(pos + 1, close - pos - 1));
                if (inside.size() != 1 || !parseNumber(inside[0].text, weight) || !(weight > 0.0)) {
                    inputError(line, pos + 2, fmt::format("malformed atomic weight of '{}'", symbol));
                }
                weight *= 1e-3;
                pos = close + 1;
            }
            if (symbol.empty()) {
                inputError(line, start + 1, "an atomic weight without an element");
            }
            if (upperCase(symbol) == "END") {
                return true;
            }
            if (weight < 0.0) {
                weight = standardAtomicWeight(symbol);
                if (weight < 0.0) {
                    inputError(line, start + 1,
                               fmt::format("unknown element '{}': give its atomic weight as {}/weight/", symbol, symbol));
                }
            }
            if (m_elements.elementIndex(symbol) != SpeciesSet::npos) {
                writelog_direct(fmt::format("\nWarning: {}, line {}: element '{}' is declared again; ignored.",
                                            *line.file, line.number, symbol));
                continue;
            }
            m_elements.addElement({symbol, weight});
        }
        return false;
    }

    void declareSpecies(const InputLine& line, const Token& t)
    {
        if (m_declaredIndex.count(t.text)) {
            writelog_direct(fmt::format("\nWarning: {}, line {}: species '{}' is declared again; ignored.", *line.file,
                                        line.number, t.text));
            return;
        }
        m_declaredIndex.emplace(t.text, m_declared.size());
        m_declared.push_back({t.text, line, t.column});
    }

    void readUnits(const InputLine& line, const std::vector<Token>& words)
    {
        for (size_t w = 1; w < words.size(); w++) {
            const std::string u = upperCase(words[w].text);
            if (u == "CAL/MOLE") {
                m_energy = Calorie / GasConstant;
            } else if (u == "KCAL/MOLE") {
                m_energy = 1e3 * Calorie / GasConstant;
            } else if (u == "JOULES/MOLE") {
                m_energy = 1.0 / GasConstant;
            } else if (u == "KJOULES/MOLE") {
                m_energy = 1e3 / GasConstant;
            } else if (u == "KELVINS") {
                m_energy = 1.0;
            } else if (u == "EVOLTS") {
                m_energy = ElementaryCharge / Boltzmann;
            } else if (u == "MOLES") {
                m_molecules = false;
            } else if (u == "MOLECULES") {
                m_molecules = true;
            } else {
                inputError(line, words[w].column, fmt::format("unknown units '{}' on the REACTIONS line", words[w].text));
            }
        }
    }

    void readThermoFile()
    {
        size_t i = 0;
        // The file may begin with THERMO or THERMO ALL, and comments.
        for (; i < m_thermoLines.size(); i++) {
            std::vector<Token> words = tokens(withoutComment(m_thermoLines[i].text));
            if (words.empty()) {
                continue;
            }
            if (sectionOf(words[0].text) == Section::Thermo) {
                i++;
            }
            break;
        }
        m_fileThermo.read(m_thermoLines, i);
    }

    // ---- reactions --------------------------------------------------------

    void readReactionLine(const InputLine& line, const std::string& code, const std::vector<Token>& words)
    {
        if (code.find('=') != std::string::npos) {
            readReaction(line, words);
        } else {
            readAuxiliary(line, code);
        }
    }

    void readReaction(const InputLine& line, const std::vector<Token>& words)
    {
        if (words.size() < 4) {
            inputError(line, words.back().column + words.back().text.size(),
                       "a reaction needs its equation and three numbers, A, b and E");
        }
        Pending p;
        p.line = line;
        p.lastAux = line;
        double* abe[3] = {&p.A, &p.b, &p.E};
        for (size_t k = 0; k < 3; k++) {
            const Token& t = words[words.size() - 3 + k];
            if (!parseNumber(t.text, *abe[k])) {
                inputError(line, t.column, fmt::format("malformed number '{}'", t.text));
            }
        }
        std::string equation;
        std::vector<size_t> columns;
        for (size_t w = 0; w + 3 < words.size(); w++) {
            for (size_t c = 0; c < words[w].text.size(); c++) {
                equation += words[w].text[c];
                columns.push_back(words[w].column + c);
            }
        }
        p.written = equation;
        p.eq = EquationParser([this](const std::string& name) { return m_declaredIndex.count(name) != 0; })
                   .parse(line, equation, columns);
        m_pending.push_back(std::move(p));
    }

    std::vector<Item> items(const InputLine& line, const std::string& code)
    {
        std::vector<Item> list;
        size_t pos = 0;
        while (true) {
            while (pos < code.size() && isBlankChar(code[pos])) {
                pos++;
            }
            if (pos >= code.size()) {
                break;
            }
            Item item;
            item.column = pos + 1;
            size_t start = pos;
            while (pos < code.size() && !isBlankChar(code[pos]) && code[pos] != '/') {
                pos++;
            }
            item.word = code.substr(start, pos - start);
            size_t after = pos;
            while (after < code.size() && isBlankChar(code[after])) {
                after++;
            }
            if (after < code.size() && code[after] == '/') {
                size_t close = code.find('/', after + 1);
                if (close == std::string::npos) {
                    inputError(line, after + 1, fmt::format("the values of '{}' lack their closing '/'", item.word));
                }
                for (Token t : tokens(code.substr(after + 1, close - after - 1))) {
                    t.column += after + 1;
                    item.values.push_back(t);
                }
                item.slashes = true;
                pos = close + 1;
            }
            if (item.word.empty()) {
                inputError(line, item.column, "values between slashes without a keyword or species before them");
            }
            list.push_back(std::move(item));
        }
        return list;
    }

    std::vector<double> numbers(const InputLine& line, const Item& item, std::initializer_list<size_t> counts)
    {
        if (std::find(counts.begin(), counts.end(), item.values.size()) == counts.end()) {
            std::string expected;
            for (size_t c : counts) {
                expected += (expected.empty() ? "" : " or ") + std::to_string(c);
            }
            inputError(line, item.column,
                       fmt::format("{} takes {} values, not {}", upperCase(item.word), expected, item.values.size()));
        }
        std::vector<double> v(item.values.size());
        for (size_t k = 0; k < v.size(); k++) {
            if (!parseNumber(item.values[k].text, v[k])) {
                inputError(line, item.values[k].column, fmt::format("malformed number '{}'", item.values[k].text));
            }
        }
        return v;
    }

    void readAuxiliary(const InputLine& line, const std::string& code)
    {
        for (const Item& item : items(line, code)) {
            const std::string key = upperCase(item.word);
            if (m_pending.empty()) {
                inputError(line, item.column, fmt::format("'{}' before the first reaction", item.word));
            }
            Pending& p = m_pending.back();
            p.lastAux = line;
            static const std::set<std::string> unsupported = {"LT",   "RLT",  "TDEP", "XSMI", "MOME",  "EXCI",
                                                              "JAN",  "FIT1", "HV",   "CHEB", "TCHEB", "PCHEB",
                                                              "UNITS", "USRPROG", "EIGEN"};
            if (key == "DUP" || key == "DUPLICATE") {
                if (item.slashes) {
                    inputError(line, item.column, "DUPLICATE takes no values");
                }
                p.dup = true;
            } else if (!item.slashes && !unsupported.count(key)) {
                inputError(line, item.column, fmt::format("unknown keyword '{}'", item.word));
            } else if (key == "LOW" || key == "HIGH" || key == "REV") {
                bool& flag = key == "LOW" ? p.low : key == "HIGH" ? p.high : p.rev;
                double* abe = key == "LOW" ? p.lowABE : key == "HIGH" ? p.highABE : p.revABE;
                if (flag) {
                    inputError(line, item.column, fmt::format("{} given twice for one reaction", key));
                }
                std::vector<double> v = numbers(line, item, {3});
                std::copy(v.begin(), v.end(), abe);
                flag = true;
            } else if (key == "TROE" || key == "SRI") {
                if (p.troe || p.sri) {
                    inputError(line, item.column, "TROE or SRI given twice for one reaction");
                }
                p.blending = key == "TROE" ? numbers(line, item, {3, 4}) : numbers(line, item, {3, 5});
                (key == "TROE" ? p.troe : p.sri) = true;
            } else if (key == "PLOG") {
                std::vector<double> v = numbers(line, item, {4});
                if (!(v[0] > 0.0)) {
                    inputError(line, item.values[0].column, fmt::format("the PLOG pressure must be positive, not {}", v[0]));
                }
                p.plog.push_back({v[0], v[1], v[2], v[3]});
            } else if (key == "FORD" || key == "RORD") {
                if (item.values.size() != 2) {
                    inputError(line, item.column, fmt::format("{} takes a species and an order", key));
                }
                requireDeclared(line, item.values[0]);
                double order = 0.0;
                if (!parseNumber(item.values[1].text, order) || order < 0.0) {
                    inputError(line, item.values[1].column, fmt::format("malformed order '{}'", item.values[1].text));
                }
                (key == "FORD" ? p.ford : p.rord)[item.values[0].text] = order;
            } else if (unsupported.count(key)) {
                inputError(line, item.column, fmt::format("keyword '{}' is not supported", item.word));
            } else {
                // An efficiency: SPECIES/value/.
                if (!m_declaredIndex.count(item.word)) {
                    inputError(line, item.column, fmt::format("unknown keyword or undeclared species '{}'", item.word));
                }
                if (item.values.size() != 1) {
                    inputError(line, item.column, fmt::format("the efficiency of '{}' takes one value", item.word));
                }
                double e = 0.0;
                if (!parseNumber(item.values[0].text, e) || e < 0.0) {
                    inputError(line, item.values[0].column,
                               fmt::format("malformed efficiency '{}'", item.values[0].text));
                }
                p.efficiencies[item.word] = e;
            }
        }
    }

    void requireDeclared(const InputLine& line, const Token& t)
    {
        if (!m_declaredIndex.count(t.text)) {
            inputError(line, t.column, fmt::format("undeclared species '{}'", t.text));
        }
    }

    // ---- equations --------------------------------------------------------

    // ---- species ----------------------------------------------------------

    std::shared_ptr<SpeciesSet> buildSpecies()
    {
        auto set = std::make_shared<SpeciesSet>(m_elements);
        for (const Declared& d : m_declared) {
            const ChemkinThermo::Entry* entry = m_localThermo.find(d.name);
            const ChemkinThermo* source = &m_localThermo;
            if (!entry) {
                entry = m_fileThermo.find(d.name);
                source = &m_fileThermo;
            }
            if (!entry) {
                inputError(d.line, d.column, fmt::format("species '{}' has no thermo data{}", d.name,
                                                         m_haveThermoFile ? " in " + m_thermoName + " or the mechanism"
                                                                          : " (no thermo file was given)"));
            }
            set->addSpecies(source->toSpecies(*entry, m_elements));
        }
        if (set->nSpecies() == 0) {
            throw VelkoraError("ChemkinReader::read", "{}: the mechanism declares no species.", m_mechName);
        }
        return set;
    }

    // ---- reactions, finished ----------------------------------------------

    double aFactor(double order) const
    {
        // cm^3 (or cm^3/molecule) to m^3/mol, per power of concentration.
        const double perConcentration = m_molecules ? 1e-6 * Avogadro : 1e-6;
        return std::pow(perConcentration, order - 1.0);
    }

    std::shared_ptr<Reaction> finish(const Pending& p, const SpeciesSet& species)
    {
        const InputLine& aux = p.lastAux;
        auto rxn = std::make_shared<Reaction>();
        auto rate = std::make_shared<GasRate>();
        rxn->m_reversible = p.eq.reversible;
        for (const Term& t : p.eq.left) {
            rxn->m_reactants[t.species] += t.coefficient;
        }
        for (const Term& t : p.eq.right) {
            rxn->m_products[t.species] += t.coefficient;
        }
        rxn->m_orders = rxn->m_reactants;
        for (const auto& [name, order] : p.ford) {
            if (!rxn->m_reactants.count(name)) {
                rxn->m_allowNonreactantOrders = true;
            }
            rxn->m_orders[name] = order;
        }
        for (auto it = rxn->m_orders.begin(); it != rxn->m_orders.end();) {
            it = it->second == 0.0 ? rxn->m_orders.erase(it) : std::next(it);
        }
        const bool falloff = !p.eq.falloff.empty();
        if (p.eq.plusM || falloff) {
            auto tb = std::make_shared<ThirdBody>();
            tb->m_inParentheses = falloff;
            if (falloff && p.eq.falloff != "M") {
                tb->m_name = p.eq.falloff;
                tb->m_defaultEfficiency = 0.0;
                tb->m_efficiencies[p.eq.falloff] = 1.0;
                if (!p.efficiencies.empty()) {
                    inputError(aux, 0, fmt::format("efficiencies given for '{}', whose collider is {}", p.written,
                                                   p.eq.falloff));
                }
            } else {
                tb->m_efficiencies = p.efficiencies;
            }
            rxn->m_thirdBody = tb;
        } else if (!p.efficiencies.empty()) {
            inputError(aux, 0, fmt::format("efficiencies given for '{}', which has no third body", p.written));
        }

        double order = 0.0;
        for (const auto& [name, o] : rxn->m_orders) {
            order += o;
        }
        if (p.low && p.high) {
            inputError(aux, 0, fmt::format("'{}' has both LOW and HIGH", p.written));
        }
        if ((p.low || p.high) && !falloff) {
            inputError(aux, 0, fmt::format("{} given for '{}', which has no falloff third body '(+M)'",
                                           p.low ? "LOW" : "HIGH", p.written));
        }
        if (falloff && !p.low && !p.high) {
            inputError(p.line, 0, fmt::format("the falloff reaction '{}' needs LOW or HIGH", p.written));
        }
        if ((p.troe || p.sri) && !falloff) {
            inputError(aux, 0, fmt::format("{} given for '{}', which is not a falloff reaction",
                                           p.troe ? "TROE" : "SRI", p.written));
        }
        if (!p.plog.empty() && (falloff || p.eq.plusM)) {
            inputError(aux, 0, fmt::format("PLOG given for '{}', which has a third body", p.written));
        }
        if (p.rev && !p.eq.reversible) {
            inputError(aux, 0, fmt::format("REV given for the irreversible reaction '{}'", p.written));
        }
        if (p.rev && (falloff || !p.plog.empty())) {
            inputError(aux, 0, fmt::format("REV is not supported for the pressure-dependent reaction '{}'", p.written));
        }
        if (!p.rord.empty() && !p.eq.reversible) {
            inputError(aux, 0, fmt::format("RORD given for the irreversible reaction '{}'", p.written));
        }
        auto arrhenius = [&](const double* abe, double n) {
            return Arrhenius{abe[0] * aFactor(n), abe[1], abe[2] * m_energy};
        };
        const double mainABE[3] = {p.A, p.b, p.E};
        if (p.low) {
            rate->kind = GasRate::Falloff;
            rate->rate = arrhenius(mainABE, order);
            rate->low = arrhenius(p.lowABE, order + 1.0);
        } else if (p.high) {
            rate->kind = GasRate::ChemicallyActivated;
            rate->rate = arrhenius(mainABE, order + 1.0);
            rate->high = arrhenius(p.highABE, order);
        } else if (!p.plog.empty()) {
            rate->kind = GasRate::Plog;
            rate->rate = arrhenius(mainABE, order);
            std::vector<std::array<double, 4>> sorted = p.plog;
            std::stable_sort(sorted.begin(), sorted.end(),
                             [](const std::array<double, 4>& a, const std::array<double, 4>& b) { return a[0] < b[0]; });
            for (const auto& e : sorted) {
                rate->plog.push_back({e[0] * OneAtm, arrhenius(&e[1], order)});
            }
        } else {
            rate->kind = GasRate::Elementary;
            rate->rate = arrhenius(mainABE, order + (p.eq.plusM ? 1.0 : 0.0));
        }
        if (p.troe) {
            rate->blending = GasRate::Troe;
        } else if (p.sri) {
            rate->blending = GasRate::Sri;
        }
        rate->parameters = p.blending;
        if (p.troe && (p.blending[1] == 0.0 || p.blending[2] == 0.0)) {
            inputError(aux, 0, fmt::format("TROE's T*** and T* of '{}' must not be 0", p.written));
        }
        if (p.sri && p.blending[2] == 0.0) {
            inputError(aux, 0, fmt::format("SRI's c of '{}' must not be 0", p.written));
        }
        if (p.rev) {
            double reverseOrder = 0.0;
            Composition reverse = rxn->m_products;
            for (const auto& [name, o] : p.rord) {
                reverse[name] = o;
            }
            for (const auto& [name, o] : reverse) {
                reverseOrder += o;
            }
            rate->hasReverse = true;
            rate->reverse = arrhenius(p.revABE, reverseOrder + (p.eq.plusM ? 1.0 : 0.0));
        }
        rate->reverseOrders = p.rord;
        rate->duplicate = p.dup;
        rxn->m_rate = rate;
        const double unitOrder = order + (p.eq.plusM ? 1.0 : 0.0);
        rxn->m_rateUnits = Units(0.0, 3.0 * (unitOrder - 1.0), -1.0, 0.0, 0.0, 1.0 - unitOrder, 0.0);
        rxn->m_input["equation"] = p.written;
        rxn->m_input["file"] = *p.line.file;
        rxn->m_input["line"] = p.line.number;
        rxn->m_input.m_line = p.line.number;
        checkBalance(p, *rxn, species);
        return rxn;
    }

    void checkBalance(const Pending& p, const Reaction& rxn, const SpeciesSet& species)
    {
        for (size_t m = 0; m < species.nElements(); m++) {
            double left = 0.0, right = 0.0;
            for (const auto& [name, nu] : rxn.m_reactants) {
                left += nu * species.atoms(species.speciesIndex(name), m);
            }
            for (const auto& [name, nu] : rxn.m_products) {
                right += nu * species.atoms(species.speciesIndex(name), m);
            }
            if (std::abs(left - right) > 1e-9 * std::max({1.0, left, right})) {
                inputError(p.line, 0,
                           fmt::format("the reaction '{}' does not balance: element {} has {} atoms among the "
                                       "reactants and {} among the products",
                                       p.written, species.element(m).symbol, left, right));
            }
        }
    }

    static std::string sideKey(const Composition& side)
    {
        std::string key;
        for (const auto& [name, nu] : side) {
            key += fmt::format("{}*{};", nu, name);
        }
        return key;
    }

    void checkDuplicates(const std::vector<std::shared_ptr<Reaction>>& reactions)
    {
        // The same reactants, products and third body: CHEMKIN's duplicates.
        std::unordered_map<std::string, size_t> seen;
        std::vector<bool> hasTwin(reactions.size(), false);
        for (size_t i = 0; i < reactions.size(); i++) {
            const Reaction& r = *reactions[i];
            std::string body = r.m_thirdBody ? (r.m_thirdBody->m_inParentheses ? "(+" : "+") + r.m_thirdBody->m_name : "";
            std::string forward = sideKey(r.m_reactants) + ">" + sideKey(r.m_products) + body;
            std::string backward = sideKey(r.m_products) + ">" + sideKey(r.m_reactants) + body;
            for (const std::string* key : {&forward, &backward}) {
                if (key == &backward && !r.m_reversible) {
                    continue;
                }
                auto it = seen.find(*key);
                if (it == seen.end()) {
                    continue;
                }
                const size_t j = it->second;
                hasTwin[i] = hasTwin[j] = true;
                const bool dupI = static_cast<const GasRate&>(*r.m_rate).duplicate;
                const bool dupJ = static_cast<const GasRate&>(*reactions[j]->m_rate).duplicate;
                if (!dupI || !dupJ) {
                    const Pending& p = m_pending[i];
                    inputError(p.line, 0, fmt::format("the reaction '{}' repeats the one of line {}; mark both DUPLICATE",
                                                      p.written, m_pending[j].line.number));
                }
            }
            seen.emplace(forward, i);
            if (r.m_reversible) {
                seen.emplace(backward, i);
            }
        }
        for (size_t i = 0; i < reactions.size(); i++) {
            if (static_cast<const GasRate&>(*reactions[i]->m_rate).duplicate && !hasTwin[i]) {
                const Pending& p = m_pending[i];
                writelog_direct(fmt::format("\nWarning: {}, line {}: the reaction '{}' is marked DUPLICATE but has no "
                                            "duplicate.",
                                            *p.line.file, p.line.number, p.written));
            }
        }
    }

    struct Declared
    {
        std::string name;
        InputLine line;
        size_t column;
    };

    std::string m_mechName, m_thermoName;
    std::vector<InputLine> m_mechLines, m_thermoLines;
    bool m_haveThermoFile = false;
    SpeciesSet m_elements;
    std::vector<Declared> m_declared;
    std::unordered_map<std::string, size_t> m_declaredIndex;
    ChemkinThermo m_localThermo, m_fileThermo;
    double m_energy = Calorie / GasConstant; //!< to Ea/R, K
    bool m_molecules = false;
    std::vector<Pending> m_pending;
};

} // namespace

std::shared_ptr<Reaction> parseChemkinEquation(const std::string& equation, const SpeciesSet& species)
{
    static const std::string name = "equation";
    InputLine line{&name, 1, equation};
    std::string text;
    std::vector<size_t> columns;
    for (size_t c = 0; c < equation.size(); c++) {
        if (!isBlankChar(equation[c])) {
            text += equation[c];
            columns.push_back(c + 1);
        }
    }
    Equation eq = EquationParser([&](const std::string& s) { return species.speciesIndex(s) != SpeciesSet::npos; })
                      .parse(line, text, columns);
    auto rxn = std::make_shared<Reaction>();
    rxn->m_reversible = eq.reversible;
    for (const Term& t : eq.left) {
        rxn->m_reactants[t.species] += t.coefficient;
    }
    for (const Term& t : eq.right) {
        rxn->m_products[t.species] += t.coefficient;
    }
    rxn->m_orders = rxn->m_reactants;
    if (eq.plusM || !eq.falloff.empty()) {
        rxn->m_thirdBody = std::make_shared<ThirdBody>();
        rxn->m_thirdBody->m_inParentheses = !eq.falloff.empty();
        if (!eq.falloff.empty()) {
            rxn->m_thirdBody->m_name = eq.falloff;
        }
    }
    return rxn;
}

std::shared_ptr<Mechanism> parseChemkin(const std::string& mechanismName, const std::string& mechanismText,
                                        const std::string& thermoName, const std::string* thermoText)
{
    Reader reader(mechanismName, mechanismText, thermoName, thermoText);
    return reader.read();
}

std::shared_ptr<Mechanism> readChemkin(const std::string& mechanismFile, const std::string& thermoFile)
{
    std::string mechanism = readFile(mechanismFile, "mechanism file");
    if (thermoFile.empty()) {
        return parseChemkin(mechanismFile, mechanism, "", nullptr);
    }
    std::string thermo = readFile(thermoFile, "thermo file");
    return parseChemkin(mechanismFile, mechanism, thermoFile, &thermo);
}

} // namespace Velkora
