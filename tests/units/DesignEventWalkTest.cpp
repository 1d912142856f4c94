// The base class's event lookups, which ask the design itself instead of an
// applet's tables. Every applet overrides them, so they are driven here
// through the stub applet, with a design opened by the design loader.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DesignLoader.h"
#include "UnitSupport.h"

namespace velm::units {
namespace {

constexpr std::int32_t kUntouched = -7777;

// The stub applet with a design of events of the given names, in this order;
// an empty name leaves its index without an event. The instance releases
// the design when it ends.
struct AppletWithEvents {
    explicit AppletWithEvents(const std::vector<std::string>& names)
    {
        std::string block = "QRTB\n";
        for (const std::string& name : names) {
            block += name.empty() ? "gap\n" : "event 1 " + name + "\n";
        }
        block += "end\n";
        design = openDesignMemory(block.data(), block.size(), 1);
        applet.setHandles(0, design);
        applet.setLastError(kUntouched);
    }

    // The name text the loader holds for the event at `index`.
    const char* loaderName(std::int32_t index) const { return getDesignEvent(design, index)->name; }

    void* design = nullptr;
    StubApplet applet;
};

// 70 indexes: positions past 63 have no bit. "Frame" is at 0 and again at
// 2; index 5 has no event, and the walk goes on past it.
std::vector<std::string> seventyEvents()
{
    std::vector<std::string> names = {"Frame", "Frame_Start", "Frame"};
    for (int i = 3; i < 70; ++i) {
        names.push_back(i == 5 ? "" : "E" + std::to_string(i));
    }
    return names;
}

TEST(DesignEventWalk, MaskIsTheBitOfTheFirstEventOfExactlyThatName)
{
    struct Case {
        const char* name;
        std::int32_t index;  // -1: no mask
    };
    const Case cases[] = {
        {"Frame", 0},   {"Frame_Start", 1}, {"E3", 3},      {"E6", 6},    {"E63", 63},  {"E64", -1},
        {"E69", -1},    {"Frame_", -1},     {"Fram", -1},    {"frame", -1}, {"Frame ", -1},
        {"", -1},       {"Nowhere", -1},    {nullptr, -1},
    };
    AppletWithEvents subject(seventyEvents());
    ASSERT_NE(subject.design, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name != nullptr ? "\"" + std::string(c.name) + "\"" : "null name");
        std::uint64_t expected = c.index < 0 ? 0 : std::uint64_t{1} << c.index;
        EXPECT_EQ(subject.applet.getEventMask(c.name), expected);
        EXPECT_EQ(subject.applet.getLastError(), kUntouched);
    }
}

TEST(DesignEventWalk, NameIsThatOfTheEventWhoseBitIsTheWholeMask)
{
    struct Case {
        std::uint64_t mask;
        std::int32_t index;  // -1: no name
    };
    const Case cases[] = {
        {1, 0}, {2, 1}, {4, 2}, {32, -1}, {64, 6}, {std::uint64_t{1} << 63, 63}, {0, -1}, {3, -1},
        {~std::uint64_t{0}, -1},
    };
    AppletWithEvents subject(seventyEvents());
    ASSERT_NE(subject.design, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE("mask " + std::to_string(c.mask));
        const char* expected = c.index < 0 ? nullptr : subject.loaderName(c.index);
        EXPECT_EQ(subject.applet.getEventName(c.mask), expected);
        EXPECT_EQ(subject.applet.getLastError(), kUntouched);
    }
}

TEST(DesignEventWalk, BitsWithoutAnEventFindNothing)
{
    AppletWithEvents subject({"Only", "Two"});
    ASSERT_NE(subject.design, nullptr);
    EXPECT_EQ(subject.applet.getEventName(4), nullptr);
    EXPECT_EQ(subject.applet.getEventName(std::uint64_t{1} << 63), nullptr);
    EXPECT_EQ(subject.applet.getLastError(), kUntouched);

    StubApplet withoutDesign;
    withoutDesign.setLastError(kUntouched);
    EXPECT_EQ(withoutDesign.getEventMask("Only"), 0u);
    EXPECT_EQ(withoutDesign.getEventName(1), nullptr);
    EXPECT_EQ(withoutDesign.getLastError(), kUntouched);
}

}  // namespace
}  // namespace velm::units
