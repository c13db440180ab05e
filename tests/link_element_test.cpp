#include <map>
#include <string>

#include <gtest/gtest.h>

#include "velkora/network/LinkElement.h"

namespace Velkora
{
namespace
{

struct Valve : LinkElement
{
    using LinkElement::LinkElement;
    std::string type() const override { return "Valve"; }
};

struct Wall : LinkElement
{
    using LinkElement::LinkElement;
    std::string type() const override { return "Wall"; }
};

using Counts = std::map<std::string, int>;

TEST(LinkElement, NamesUnnamedElementsByTypeAndCount)
{
    struct Case
    {
        const char* what;
        std::string initialName;
        Counts before;
        std::string expectedName;
        Counts after;
    };
    const Case cases[] = {
        {"fresh map", "", {}, "Valve_0", {{"Valve", 1}}},
        {"default name", "(none)", {}, "Valve_0", {{"Valve", 1}}},
        {"second element", "", {{"Valve", 1}}, "Valve_1", {{"Valve", 2}}},
        {"own name still counts", "inlet", {}, "inlet", {{"Valve", 1}}},
        {"placeholder among other text", "(none) valve", {}, "(none) valve", {{"Valve", 1}}},
        {"placeholder in other case", "(NONE)", {}, "(NONE)", {{"Valve", 1}}},
        {"blank is a name", " ", {}, " ", {{"Valve", 1}}},
        {"seeded map", "", {{"Valve", 7}}, "Valve_7", {{"Valve", 8}}},
        {"negative seed", "", {{"Valve", -2}}, "Valve_-2", {{"Valve", -1}}},
        {"other types untouched", "", {{"Wall", 4}}, "Valve_0", {{"Valve", 1}, {"Wall", 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Valve v(c.initialName);
        Counts counts = c.before;
        EXPECT_FALSE(v.defaultNameSet());
        v.setDefaultName(counts);
        EXPECT_TRUE(v.defaultNameSet());
        EXPECT_EQ(v.name(), c.expectedName);
        EXPECT_EQ(counts, c.after);
    }
}

TEST(LinkElement, RunsOncePerElementAndCountsPerType)
{
    Counts counts;
    Valve a, b("main"), c;
    Wall w1, w2;
    for (LinkElement* e : std::initializer_list<LinkElement*>{&a, &w1, &b, &c, &w2}) {
        e->setDefaultName(counts);
    }
    EXPECT_EQ(a.name(), "Valve_0");
    EXPECT_EQ(b.name(), "main");
    EXPECT_EQ(c.name(), "Valve_2");
    EXPECT_EQ(w1.name(), "Wall_0");
    EXPECT_EQ(w2.name(), "Wall_1");
    EXPECT_EQ(counts, (Counts{{"Valve", 3}, {"Wall", 2}}));

    // A second call changes nothing, even with another map or after a rename.
    Counts other;
    a.setName("");
    a.setDefaultName(counts);
    a.setDefaultName(other);
    EXPECT_EQ(a.name(), "");
    EXPECT_EQ(counts, (Counts{{"Valve", 3}, {"Wall", 2}}));
    EXPECT_TRUE(other.empty());
}

TEST(LinkElement, TheBaseTypeNamesItself)
{
    LinkElement e;
    EXPECT_EQ(e.name(), "(none)");
    Counts counts;
    e.setDefaultName(counts);
    EXPECT_EQ(e.name(), "LinkElement_0");
}

} // namespace
} // namespace Velkora
