// Cached-value identifiers. An executable of its own: the first test needs a
// process in which no identifier has been handed out yet.
#include <algorithm>
#include <climits>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/base/MemoStore.h"

namespace Velkora
{
namespace
{

// Reaches the counter, to test its end.
struct CounterAccess : MemoStore
{
    static int& lastId() { return m_last_id; }
};

TEST(MemoStore, TheFirstIdentifiersAreOneAndTwo)
{
    EXPECT_EQ(MemoStore::getId(), 1);
    EXPECT_EQ(MemoStore::getId(), 2);
}

TEST(MemoStore, ClearEmptiesTheMapsAndKeepsTheCount)
{
    MemoStore store;
    store.clear();
    EXPECT_EQ(store.scalarCount(), 0u);
    EXPECT_EQ(store.arrayCount(), 0u);

    int a = MemoStore::getId(), b = MemoStore::getId();
    store.getScalar(a).value = 2.5;
    store.getArray(b).value = {1.0, 2.0};
    EXPECT_EQ(store.getScalar(a).value, 2.5);
    EXPECT_EQ(store.scalarCount(), 1u);
    EXPECT_EQ(store.arrayCount(), 1u);
    store.clear();
    EXPECT_EQ(store.scalarCount(), 0u);
    EXPECT_EQ(store.arrayCount(), 0u);
    EXPECT_TRUE(store.getArray(b).value.empty()); // a fresh record
    EXPECT_EQ(MemoStore::getId(), b + 1);
}

TEST(MemoStore, CachedValuesTellWhetherTheyMatchAState)
{
    CachedValue<double> v;
    EXPECT_FALSE(v.validate(300.0)); // fresh: computed for nothing yet
    v.value = 1.0;
    EXPECT_TRUE(v.validate(300.0));
    EXPECT_FALSE(v.validate(301.0));
    EXPECT_FALSE(v.validate(301.0, 2.0));
    EXPECT_TRUE(v.validate(301.0, 2.0));
    EXPECT_FALSE(v.validate(7));
    EXPECT_TRUE(v.validate(7));
}

TEST(MemoStore, RefusesToHandOutTheSameIdentifierTwice)
{
    const int saved = CounterAccess::lastId();
    CounterAccess::lastId() = INT_MAX - 1;
    EXPECT_EQ(MemoStore::getId(), INT_MAX);
    EXPECT_THROW(MemoStore::getId(), std::overflow_error);
    EXPECT_EQ(CounterAccess::lastId(), INT_MAX);
    CounterAccess::lastId() = saved;
}

} // namespace
} // namespace Velkora
