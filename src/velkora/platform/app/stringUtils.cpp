#include "velkora/platform/app/stringUtils.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace Velkora
{

size_t copyString(const std::string& source, char* dest, size_t length)
{
    if (dest == nullptr || length == 0) {
        return 0;
    }
    size_t n = std::min(source.size(), length - 1);
    std::memcpy(dest, source.data(), n);
    dest[n] = '\0';
    return n;
}

std::string trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) {
        a++;
    }
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) {
        b--;
    }
    return s.substr(a, b - a);
}

} // namespace Velkora
