#include "velkora/platform/input/ChemkinInput.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

std::vector<InputLine> splitLines(const std::string& file, const std::string& text)
{
    std::vector<InputLine> lines;
    size_t start = 0;
    int number = 1;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            if (start < text.size()) {
                lines.push_back({&file, number, text.substr(start)});
            }
            break;
        }
        lines.push_back({&file, number++, text.substr(start, end - start)});
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::string readFile(const std::string& path, const char* what)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw VelkoraError("ChemkinReader::read", "Cannot open the {} '{}': {}.", what, path, std::strerror(errno));
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        throw VelkoraError("ChemkinReader::read", "Cannot read the {} '{}'.", what, path);
    }
    return buffer.str();
}

void inputError(const InputLine& line, size_t column, const std::string& what)
{
    const std::string& file = line.file ? *line.file : std::string();
    if (column > 0) {
        throw VelkoraError("ChemkinReader::read", "{}, line {}, column {}: {}.", file, line.number, column, what);
    }
    throw VelkoraError("ChemkinReader::read", "{}, line {}: {}.", file, line.number, what);
}

bool parseNumber(const std::string& token, double& value)
{
    if (token.empty() || token.size() > 64) {
        return false;
    }
    std::string t = token;
    bool digits = false;
    for (char& c : t) {
        if (c == 'd' || c == 'D') {
            c = 'E';
        }
        digits = digits || std::isdigit(static_cast<unsigned char>(c));
        // strtod also reads hexadecimal, "inf" and "nan": Fortran does not.
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != 'e' && c != 'E' && c != '+' && c != '-') {
            return false;
        }
    }
    if (!digits) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(v) || errno == ERANGE) {
        return false;
    }
    value = v;
    return true;
}

std::string upperCase(const std::string& text)
{
    std::string u = text;
    for (char& c : u) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return u;
}

std::vector<Token> tokens(const std::string& text)
{
    std::vector<Token> list;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
            i++;
        }
        size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) {
            i++;
        }
        if (i > start) {
            list.push_back({text.substr(start, i - start), start + 1});
        }
    }
    return list;
}

std::string withoutComment(const std::string& text)
{
    size_t bang = text.find('!');
    return bang == std::string::npos ? text : text.substr(0, bang);
}

} // namespace Velkora
