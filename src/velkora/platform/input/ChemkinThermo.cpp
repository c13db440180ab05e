#include "velkora/platform/input/ChemkinThermo.h"

#include <cctype>

#include <fmt/format.h>

#include "velkora/platform/app/Logger.h"
#include "velkora/platform/app/stringUtils.h"

namespace Velkora
{

namespace
{

bool blankText(const std::string& s)
{
    for (char c : s) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

bool isComment(const std::string& s)
{
    for (char c : s) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            return c == '!';
        }
    }
    return false;
}

std::string field(const std::string& s, size_t begin, size_t end)
{
    if (begin >= s.size()) {
        return std::string();
    }
    return s.substr(begin, std::min(end, s.size()) - begin);
}

// The number of columns [begin, end) of `line`, or `fallback` where they are
// blank; throws for anything else.
double number(const InputLine& line, size_t begin, size_t end, double fallback, const char* what)
{
    std::string text = trim(field(line.text, begin, end));
    if (text.empty()) {
        return fallback;
    }
    double v = 0.0;
    if (!parseNumber(text, v)) {
        inputError(line, begin + 1, fmt::format("malformed {} '{}'", what, text));
    }
    return v;
}

} // namespace

size_t ChemkinThermo::read(const std::vector<InputLine>& lines, size_t begin)
{
    size_t i = begin;
    bool first = true;
    while (i < lines.size()) {
        const InputLine& line = lines[i];
        if (blankText(line.text) || isComment(line.text)) {
            i++;
            continue;
        }
        std::vector<Token> words = tokens(withoutComment(line.text));
        if (!words.empty() && upperCase(words[0].text) == "END") {
            return i + 1;
        }
        if (first) {
            first = false;
            // The global range line: "low mid high", no entry.
            double t[3];
            bool range = words.size() == 3 && line.text.size() < 80;
            for (size_t j = 0; range && j < 3; j++) {
                range = parseNumber(words[j].text, t[j]);
            }
            if (range) {
                if (!(t[0] > 0.0 && t[0] < t[1] && t[1] < t[2])) {
                    inputError(line, 0, fmt::format("the global temperatures must rise, low < mid < high, not {} {} {}",
                                                    t[0], t[1], t[2]));
                }
                m_tLow = t[0];
                m_tMid = t[1];
                m_tHigh = t[2];
                i++;
                continue;
            }
        }
        Entry entry;
        std::string name = trim(field(line.text, 0, 18));
        size_t blank = name.find_first_of(" \t");
        entry.name = name.substr(0, blank);
        if (entry.name.empty()) {
            inputError(line, 1, "a thermo entry without a species name in columns 1-18");
        }
        entry.lines[0] = line;
        for (int j = 1; j < 4; j++) {
            if (i + j >= lines.size()) {
                inputError(line, 0, fmt::format("the thermo entry of '{}' ends before its 4 lines", entry.name));
            }
            const InputLine& next = lines[i + j];
            if (next.text.size() >= 80 && std::isdigit(static_cast<unsigned char>(next.text[79])) &&
                next.text[79] != static_cast<char>('1' + j)) {
                inputError(next, 80, fmt::format("line {} of the thermo entry of '{}' expected", j + 1, entry.name));
            }
            entry.lines[j] = next;
        }
        auto found = m_entries.find(entry.name);
        if (found == m_entries.end()) {
            m_entries.emplace(entry.name, std::move(entry));
        } else {
            m_repeats[entry.name].push_back(line);
        }
        i += 4;
    }
    return i;
}

const ChemkinThermo::Entry* ChemkinThermo::find(const std::string& name) const
{
    auto it = m_entries.find(name);
    if (it == m_entries.end()) {
        return nullptr;
    }
    auto repeated = m_repeats.find(name);
    if (repeated != m_repeats.end()) {
        for (const InputLine& again : repeated->second) {
            writelog_direct(fmt::format("\nWarning: {}, line {}: thermo data for species '{}' given again; the entry "
                                        "of line {} is used.",
                                        *again.file, again.number, name, it->second.lines[0].number));
        }
    }
    return &it->second;
}

Species ChemkinThermo::toSpecies(const Entry& entry, const SpeciesSet& elements) const
{
    const InputLine& head = entry.lines[0];
    const std::string& text = head.text;
    Species s;
    s.name = entry.name;

    // The middle temperature may run past column 73 into the fifth element
    // field: it is the number that starts from column 66.
    size_t p = 65;
    while (p < text.size() && p < 78 && std::isspace(static_cast<unsigned char>(text[p]))) {
        p++;
    }
    size_t q = p;
    while (q < text.size() && q < 78 && !std::isspace(static_cast<unsigned char>(text[q]))) {
        q++;
    }
    double tMid = m_tMid;
    if (q > p) {
        std::string mid = text.substr(p, q - p);
        if (!parseNumber(mid, tMid)) {
            inputError(head, p + 1, fmt::format("malformed middle temperature '{}' of '{}'", mid, s.name));
        }
    }
    std::vector<size_t> fields = {24, 29, 34, 39};
    if (q <= 73) {
        fields.push_back(73);
    }
    for (size_t f : fields) {
        std::string symbol = trim(field(text, f, f + 2));
        std::string count = trim(field(text, f + 2, f + 5));
        double n = 0.0;
        if (count.empty()) {
            continue;
        }
        if (!parseNumber(count, n)) {
            inputError(head, f + 3, fmt::format("malformed element count '{}' of '{}'", count, s.name));
        }
        if (n == 0.0) {
            continue;
        }
        if (symbol.empty() || std::isdigit(static_cast<unsigned char>(symbol[0]))) {
            inputError(head, f + 1, fmt::format("no element symbol for the count '{}' of '{}'", count, s.name));
        }
        size_t m = elements.elementIndex(symbol);
        if (m == SpeciesSet::npos) {
            inputError(head, f + 1, fmt::format("species '{}' contains element '{}', which ELEMENTS does not declare",
                                                s.name, symbol));
        }
        s.composition[m] += n;
    }
    if (s.composition.empty()) {
        inputError(head, 25, fmt::format("species '{}' has no elements", s.name));
    }
    double tLow = number(head, 45, 55, m_tLow, "low temperature");
    double tHigh = number(head, 55, 65, m_tHigh, "high temperature");
    if (!(tLow > 0.0 && tLow < tMid && tMid < tHigh)) {
        inputError(head, 46, fmt::format("the temperatures of '{}' must rise, low < mid < high, not {} {} {}", s.name,
                                         tLow, tMid, tHigh));
    }
    double a[15];
    int n = 0;
    for (int j = 1; j < 4; j++) {
        for (int f = 0; f < (j < 3 ? 5 : 4); f++) {
            a[n++] = number(entry.lines[j], 15 * f, 15 * f + 15, 0.0, "coefficient");
        }
    }
    NasaPolynomial::Coefficients high{a[0], a[1], a[2], a[3], a[4], a[5], a[6]};
    NasaPolynomial::Coefficients low{a[7], a[8], a[9], a[10], a[11], a[12], a[13]};
    s.thermo = NasaPolynomial(tLow, tMid, tHigh, low, high);
    return s;
}

} // namespace Velkora
