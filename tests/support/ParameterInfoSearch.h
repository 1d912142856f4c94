// Lookups in an instance's parameter-info tree, as the tests of every applet
// need them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ParameterInfoRegistry.h"

namespace velm::test {

// The entry of a parameter (by its name) or of a category (by its display
// name) anywhere in a port's tree.
inline const ParameterInfoEntry* findBelow(const ParameterInfoEntry* category, const std::string& name)
{
    for (int32_t i = 0; i < category->value.category.childCount; ++i) {
        const ParameterInfoEntry* child = category->value.category.children[i];
        const char* own = child->type == 0 ? child->displayName : child->name;
        if (own != nullptr && name == own) {
            return child;
        }
        const ParameterInfoEntry* found = child->type == 0 ? findBelow(child, name) : nullptr;
        if (found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

inline const ParameterInfoEntry* findInfo(const ParameterInfoEntry* root, const std::string& name)
{
    for (; root != nullptr; root = root->next) {
        if (name == root->displayName) {
            return root;
        }
        if (const ParameterInfoEntry* found = findBelow(root, name)) {
            return found;
        }
    }
    return nullptr;
}

// The display names of a port's root categories, newest first as the tree
// links them.
inline std::vector<std::string> rootNames(const ParameterInfoEntry* root)
{
    std::vector<std::string> names;
    for (; root != nullptr; root = root->next) {
        names.emplace_back(root->displayName);
    }
    return names;
}

// One value an enumeration entry offers: the text shown, the value and the
// value's name.
struct EnumSlot {
    const char* text;
    std::int32_t value;
    const char* name;
};

// What a port's tree shows of a parameter: the entry's type (1 integer,
// 3 enumeration, 6 double, 7 integer array), its access, the limits of a
// number (an array's element count stands in the step's place) and the
// values of an enumeration.
struct EntryFact {
    const char* name;
    std::int32_t type;
    std::int32_t access;
    double min = 0;
    double max = 0;
    double step = 0;
    std::vector<EnumSlot> slots = {};
};

// Every entry of `facts` stands in the port's tree, for that port, as its
// fact describes it.
inline void expectEntries(const ParameterInfoEntry* root, const std::vector<EntryFact>& facts, std::uint32_t port)
{
    for (const EntryFact& fact : facts) {
        const std::string where = std::string(fact.name) + " port " + std::to_string(port);
        const ParameterInfoEntry* entry = findInfo(root, fact.name);
        ASSERT_NE(entry, nullptr) << where;
        EXPECT_EQ(entry->type, fact.type) << where;
        EXPECT_EQ(entry->access, fact.access) << where;
        EXPECT_EQ(entry->port, static_cast<std::int32_t>(port)) << where;
        std::vector<double> limits;
        auto numbers = [](std::int32_t min, std::int32_t max, std::int32_t step) {
            return std::vector<double>{static_cast<double>(min), static_cast<double>(max), static_cast<double>(step)};
        };
        if (entry->type == 1) {
            limits = numbers(entry->value.integer.min, entry->value.integer.max, entry->value.integer.increment);
        } else if (entry->type == 6) {
            limits = {entry->value.floating.min, entry->value.floating.max, entry->value.floating.increment};
        } else if (entry->type == 7) {
            limits = numbers(entry->value.intArray.min, entry->value.intArray.max, entry->value.intArray.elementCount);
        }
        if (!limits.empty()) {
            EXPECT_EQ(limits, (std::vector<double>{fact.min, fact.max, fact.step})) << where;
        }
        std::vector<std::string> slots;
        for (std::int32_t i = 0; entry->type == 3 && i < entry->value.enumeration.count; ++i) {
            const char* name = entry->value.enumeration.valueDescriptions[i];
            slots.push_back(std::string(entry->value.enumeration.valueNames[i]) + " " +
                            std::to_string(entry->value.enumeration.values[i]) + " " + (name ? name : "(none)"));
        }
        std::vector<std::string> expected;
        for (const EnumSlot& slot : fact.slots) {
            expected.push_back(std::string(slot.text) + " " + std::to_string(slot.value) + " " + slot.name);
        }
        EXPECT_EQ(slots, expected) << where;
    }
}

}  // namespace velm::test
