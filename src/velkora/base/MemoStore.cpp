#include "velkora/base/MemoStore.h"

#include <climits>
#include <mutex>
#include <stdexcept>

namespace Velkora
{

namespace
{
// Constant-initialised, so getId works during other modules' start-up.
std::mutex id_mutex;
} // namespace

int MemoStore::m_last_id = 0;

int MemoStore::getId()
{
    std::lock_guard<std::mutex> lock(id_mutex);
    if (m_last_id == INT_MAX) {
        throw std::overflow_error("MemoStore::getId: every identifier up to the largest int has been handed out.");
    }
    return ++m_last_id;
}

void MemoStore::clear()
{
    m_scalarCache.clear();
    m_arrayCache.clear();
}

} // namespace Velkora
