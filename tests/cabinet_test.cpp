#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "velkora/interface/Cabinet.h"

namespace Velkora
{
namespace
{
struct Widget
{
    int value = 0;
};
struct Unused
{
};
} // namespace

template <> Cabinet<Widget>::Storage* Cabinet<Widget>::s_storage = nullptr;
template <> Cabinet<Unused>::Storage* Cabinet<Unused>::s_storage = nullptr;

namespace
{

using Registry = Cabinet<Widget>;

std::string messageOf(void (*call)())
{
    try {
        call();
    } catch (const VelkoraError& err) {
        return err.what();
    }
    return "no error";
}

TEST(Cabinet, StorageIsCreatedByTheFirstCallAndStartsEmpty)
{
    EXPECT_EQ(Cabinet<Unused>::s_storage, nullptr);
    EXPECT_EQ(Cabinet<Unused>::size(), 0);
    ASSERT_NE(Cabinet<Unused>::s_storage, nullptr);
    EXPECT_TRUE(Cabinet<Unused>::s_storage->m_lookup.empty());
}

// The registry is process-wide, so this one test walks through its life in order.
TEST(Cabinet, HandlesLifetimesAndErrors)
{
    int base = Registry::size();
    auto a = std::make_shared<Widget>();
    auto b = std::make_shared<Widget>();
    auto held = std::make_shared<Widget>();

    // Handles are handed out in order, also for an object added twice.
    int ha1 = Registry::add(a);
    int hb = Registry::add(b);
    int ha2 = Registry::add(a);
    int hh = Registry::add(held);
    EXPECT_EQ(ha1, base + 0);
    EXPECT_EQ(hb, base + 1);
    EXPECT_EQ(ha2, base + 2);
    EXPECT_EQ(hh, base + 3);
    EXPECT_EQ(a.use_count(), 3);  // ours and two slots
    EXPECT_EQ(Registry::s_storage->m_lookup.at(a.get()), (std::set<int>{ha1, ha2}));
    EXPECT_EQ(Registry::at(ha2).get(), a.get());

    // Deleting one of two handles keeps the other valid and the object alive.
    Registry::del(ha1);
    EXPECT_EQ(a.use_count(), 2);
    EXPECT_EQ(Registry::at(ha2).get(), a.get());
    EXPECT_EQ(Registry::s_storage->m_lookup.at(a.get()), (std::set<int>{ha2}));

    // Deleting both removes the lookup entry and both of the registry's references.
    Registry::del(ha2);
    EXPECT_EQ(a.use_count(), 1);
    EXPECT_EQ(Registry::s_storage->m_lookup.count(a.get()), 0u);

    // An object held elsewhere outlives its handle.
    std::weak_ptr<Widget> watch = held;
    held.reset();
    Registry::del(hh);
    EXPECT_TRUE(watch.expired());

    // Slots stay; new handles continue the count.
    EXPECT_EQ(Registry::size(), base + 4);
    EXPECT_EQ(Registry::add(std::make_shared<Widget>()), base + 4);
    EXPECT_EQ(Registry::size(), base + 5);
    EXPECT_EQ(b.use_count(), 2);
}

TEST(Cabinet, BadHandlesGiveTheRegistryMessages)
{
    int h = Registry::add(std::make_shared<Widget>());
    Registry::del(h);
    static int deleted;
    static int past;
    deleted = h;
    past = Registry::size();

    struct Case
    {
        void (*call)();
        std::string expected;
    };
    const Case cases[] = {
        {[] { Registry::at(-1); }, "Cabinet::at: Index -1 out of range."},
        {[] { Registry::at(past); }, "Cabinet::at: Index " + std::to_string(past) + " out of range."},
        {[] { Registry::at(deleted); },
         "Cabinet::at: Object with index " + std::to_string(deleted) + " has been deleted."},
        {[] { Registry::del(-1); }, "Cabinet::del: Attempt made to delete a non-existing object."},
        {[] { Registry::del(past); }, "Cabinet::del: Attempt made to delete a non-existing object."},
        {[] { Registry::del(deleted); }, "Cabinet::del: Lookup table does not contain reference to object."},
    };
    for (const Case& c : cases) {
        int before = Registry::size();
        EXPECT_EQ(messageOf(c.call), c.expected);
        EXPECT_EQ(Registry::size(), before);
    }
}

} // namespace
} // namespace Velkora
