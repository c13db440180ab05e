// Cached-value identifiers handed out to several threads at once.
#include <algorithm>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/base/MemoStore.h"

namespace Velkora
{
namespace
{

// Reaches the counter, to know where this test starts.
struct CounterAccess : MemoStore
{
    static int& lastId() { return m_last_id; }
};

TEST(MemoStore, ConcurrentCallsReceiveDistinctIdentifiers)
{
    const int base = CounterAccess::lastId();
    const int threads = 8, perThread = 5000;
    std::vector<std::vector<int>> got(threads);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; t++) {
        pool.emplace_back([&got, t] {
            for (int i = 0; i < perThread; i++) {
                got[t].push_back(MemoStore::getId());
            }
        });
    }
    for (auto& th : pool) {
        th.join();
    }
    std::vector<int> all;
    for (const auto& g : got) {
        EXPECT_TRUE(std::is_sorted(g.begin(), g.end())); // each thread sees them rise
        all.insert(all.end(), g.begin(), g.end());
    }
    std::sort(all.begin(), all.end());
    ASSERT_EQ(all.size(), size_t(threads * perThread));
    for (size_t i = 0; i < all.size(); i++) {
        ASSERT_EQ(all[i], base + 1 + static_cast<int>(i));
    }
}

} // namespace
} // namespace Velkora
