// Lookups in an instance's parameter-info tree, as the tests of every applet
// need them.
#pragma once

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

}  // namespace velm::test
