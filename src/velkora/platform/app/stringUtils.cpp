#include "velkora/platform/app/stringUtils.h"

#include <algorithm>
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

} // namespace Velkora
