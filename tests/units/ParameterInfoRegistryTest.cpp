// The entry layout itself is checked at compile time by the header's
// static_asserts, for whichever pointer width the build has.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "ErrorCodes.h"
#include "ParameterInfoRegistry.h"

namespace velm::units {
namespace {

TEST(ParameterInfoRoots, NewestFirstChainPerPort)
{
    ParameterInfoRegistry registry;
    ParameterInfoEntry* first = registry.addCategory(0, nullptr, "Camera Link");
    ParameterInfoEntry* second = registry.addCategory(0, nullptr, "ROI");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(registry.getRoot(0), second);
    EXPECT_EQ(second->next, first);
    EXPECT_EQ(first->previous, second);
    EXPECT_EQ(first->next, nullptr);
    EXPECT_EQ(second->previous, nullptr);
    EXPECT_EQ(second->depth, 0);
    EXPECT_EQ(second->parentName, nullptr);
    EXPECT_EQ(registry.nextRootEntry(nullptr, 0), second);
    EXPECT_EQ(registry.nextRootEntry(second, 0), first);
    EXPECT_EQ(registry.nextRootEntry(first, 0), nullptr);
    for (std::uint32_t port : {1u, 3u, 4u, 0xFFFFFFFFu}) {
        EXPECT_EQ(registry.getRoot(port), nullptr) << port;
        EXPECT_EQ(registry.nextRootEntry(nullptr, port), nullptr) << port;
    }
    registry.clearPort(0);
    EXPECT_EQ(registry.getRoot(0), nullptr);
}

TEST(ParameterInfoChildren, IndexesFollowTheOrderOfAdding)
{
    ParameterInfoRegistry registry;
    ParameterInfoEntry* lut = registry.addCategory(0, nullptr, "Lookup Table");
    ParameterInfoEntry* properties = registry.addCategory(0, lut, "Applet Properties");
    ParameterInfoEntry* type = registry.addEnumInfo(lut, "Type", "FG_LUT_TYPE", 2, 7, 1, 1, "", 110017, 0);
    ParameterInfoEntry* file = registry.addStringInfo(lut, "Load File", "FG_LUT_CUSTOM_FILE", "*.lut", 7, 1, 1,
                                                      nullptr, 300000, 0);
    ASSERT_NE(type, nullptr);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(lut->value.category.childCount, 3);
    ASSERT_EQ(lut->value.category.nextChildIndex, 3);
    const ParameterInfoEntry* expected[] = {properties, type, file};
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(lut->value.category.children[i], expected[i]);
        EXPECT_EQ(expected[i]->index, i);
    }
    EXPECT_EQ(properties->depth, 1);
    EXPECT_STREQ(properties->parentName, "Lookup Table");
    EXPECT_EQ(registry.getRoot(0), lut);
    EXPECT_EQ(type->parentName, nullptr);
    EXPECT_EQ(type->next, nullptr);
    EXPECT_STREQ(file->value.string.text, "*.lut");
    EXPECT_EQ(file->description, nullptr);
    EXPECT_EQ(file->port, 0);
}

TEST(ParameterInfoChildren, TextsAreTheEntrysOwnCopies)
{
    ParameterInfoRegistry registry;
    char name[] = "FG_WIDTH";
    ParameterInfoEntry* roi = registry.addCategory(1, nullptr, "ROI");
    ParameterInfoEntry* width = registry.addIntInfo(roi, "Width", name, 8, 16384, 4, 3, 2, 1, "pixel", 100, 1);
    std::strcpy(name, "xxxxxxxx");
    EXPECT_STREQ(width->name, "FG_WIDTH");
    EXPECT_STREQ(width->description, "pixel");
    EXPECT_EQ(width->value.integer.increment, 4);
    EXPECT_EQ(width->port, 1);
}

TEST(ParameterInfoChildren, ValuePartsOfEveryType)
{
    ParameterInfoRegistry registry;
    ParameterInfoEntry* c = registry.addCategory(0, nullptr, "All");
    const ParameterInfoEntry* reg = registry.addRegisterIntInfo(c, "R", "R", 0, -1, 1, 7, 1, 1, nullptr, 1000005, 0);
    const ParameterInfoEntry* i64 = registry.addInt64Info(c, "L", "L", -5, INT64_MAX, 2, 7, 1, 1, nullptr, 1, 0);
    const ParameterInfoEntry* r64 = registry.addRegisterInt64Info(c, "Q", "Q", 0, 1LL << 40, 1, 7, 1, 1, nullptr, 2, 0);
    const ParameterInfoEntry* dbl = registry.addDoubleInfo(c, "D", "D", -1.0, 1.0, 0.5, 7, 1, 1, nullptr, 3, 0);
    const ParameterInfoEntry* arr = registry.addIntArrayInfo(c, "A", "A", 256, 0, 255, 1, 7, 1, 1, nullptr, 4, 0);
    const ParameterInfoEntry* a13 = registry.addArrayInfo13(c, "B", "B", 2, 3, 4, 1, 7, 1, 1, nullptr, 5, 0);
    const ParameterInfoEntry* a64 = registry.addInt64ArrayInfo(c, "C", "C", 8, -9, 9, 1, 7, 1, 1, nullptr, 6, 0);
    EXPECT_EQ(reg->type, kInfoRegisterInt);
    EXPECT_EQ(reg->value.integer.max, -1);
    EXPECT_EQ(i64->value.int64.max, INT64_MAX);
    EXPECT_EQ(r64->type, kInfoRegisterInt64);
    EXPECT_EQ(dbl->value.floating.increment, 0.5);
    EXPECT_EQ(arr->value.intArray.elementCount, 256);
    EXPECT_EQ(a13->type, kInfoArray13);
    EXPECT_EQ(a13->value.intArray.minAgain, 3);
    EXPECT_EQ(a64->value.int64Array.minAgain, -9);
    EXPECT_EQ(c->value.category.childCount, 7);
}

TEST(ParameterInfoEnum, SlotsAreFilledOneByOne)
{
    ParameterInfoRegistry registry;
    ParameterInfoEntry* c = registry.addCategory(0, nullptr, "Camera Link");
    ParameterInfoEntry* dval = registry.addEnumInfo(c, "Use DVAL", "FG_USEDVAL", 2, 7, 1, 1, "", 5025, 0);
    ASSERT_NE(dval, nullptr);
    EXPECT_EQ(registry.setEnumEntry(dval, 0, "Yes", 1, "FG_YES"), 0);
    EXPECT_EQ(registry.setEnumEntry(dval, 0, "Yes!", 1, nullptr), 0);  // replaces the slot
    EXPECT_STREQ(dval->value.enumeration.valueNames[0], "Yes!");
    EXPECT_EQ(dval->value.enumeration.valueDescriptions[0], nullptr);
    EXPECT_EQ(dval->value.enumeration.values[0], 1);
    // Slot 1 never filled.
    EXPECT_EQ(dval->value.enumeration.valueNames[1], nullptr);
    EXPECT_EQ(dval->value.enumeration.values[1], 0);
    EXPECT_EQ(dval->value.enumeration.valueDescriptions[1], nullptr);

    ParameterInfoEntry* width = registry.addIntInfo(c, "W", "FG_WIDTH", 0, 1, 1, 3, 1, 1, nullptr, 100, 0);
    const struct {
        ParameterInfoEntry* entry;
        std::int32_t slot;
    } refused[] = {{dval, 2}, {dval, -1}, {width, 0}, {nullptr, 0}};
    for (const auto& r : refused) {
        EXPECT_EQ(registry.setEnumEntry(r.entry, r.slot, "X", 9, "X"), kErrInvalidArgument) << r.slot;
    }
    EXPECT_EQ(dval->value.enumeration.values[1], 0);
    EXPECT_EQ(width->value.integer.min, 0);

    ParameterInfoEntry* empty = registry.addEnumInfo(c, "E", "E", 0, 7, 1, 1, nullptr, 7, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(registry.setEnumEntry(empty, 0, "X", 1, nullptr), kErrInvalidArgument);
}

TEST(ParameterInfoRefusals, NothingIsMadeForABadPortOrParent)
{
    ParameterInfoRegistry registry;
    ParameterInfoEntry* c = registry.addCategory(0, nullptr, "C");
    ParameterInfoEntry* typed = registry.addIntInfo(c, "I", "I", 0, 1, 1, 3, 1, 1, nullptr, 1, 0);
    ParameterInfoEntry* other = registry.addCategory(1, nullptr, "Other");
    EXPECT_EQ(registry.addCategory(4, nullptr, "X"), nullptr);
    EXPECT_EQ(registry.addCategory(0, typed, "X"), nullptr);
    EXPECT_EQ(registry.addCategory(0, other, "X"), nullptr);
    EXPECT_EQ(registry.addIntInfo(nullptr, "I", "I", 0, 1, 1, 3, 1, 1, nullptr, 1, 0), nullptr);
    EXPECT_EQ(registry.addIntInfo(typed, "I", "I", 0, 1, 1, 3, 1, 1, nullptr, 1, 0), nullptr);
    EXPECT_EQ(registry.addIntInfo(c, "I", "I", 0, 1, 1, 3, 1, 1, nullptr, 1, 4), nullptr);
    EXPECT_EQ(registry.addIntInfo(c, "I", "I", 0, 1, 1, 3, 1, 1, nullptr, 1, 1), nullptr);
    EXPECT_EQ(registry.addEnumInfo(c, "E", "E", -1, 7, 1, 1, nullptr, 1, 0), nullptr);
    EXPECT_EQ(c->value.category.childCount, 1);
    EXPECT_EQ(typed->value.integer.max, 1);
    EXPECT_EQ(registry.getRoot(0), c);
    EXPECT_EQ(registry.getRoot(1), other);
    registry.clearPort(9);
}

}  // namespace
}  // namespace velm::units
