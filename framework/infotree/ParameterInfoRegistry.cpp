#include "ParameterInfoRegistry.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "ErrorCodes.h"

namespace velm {

namespace {

// Null stays null.
char* copyText(const char* text)
{
    if (text == nullptr) {
        return nullptr;
    }
    const std::size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

bool isCategory(const ParameterInfoEntry* entry)
{
    return entry != nullptr && entry->type == kInfoCategory;
}

// Each port's entries are freed on their own (clearPort), so a parent on
// another port would keep a pointer to freed memory in its children.
bool onPort(const ParameterInfoEntry* entry, std::uint32_t port)
{
    return entry->port == static_cast<std::int32_t>(port);
}

// Appends `child` to the parent's children with the parent's next index.
// The array grows by doubling, so that a category of many entries (one per
// design register) is built in linear time; readers see childCount pointers
// as always. Any allocation comes first, so a failure leaves the parent
// unchanged.
void linkChild(ParameterInfoEntry* parent, ParameterInfoEntry* child, std::size_t& capacity)
{
    ParameterInfoCategoryValue& category = parent->value.category;
    const auto count = static_cast<std::size_t>(std::max(category.childCount, 0));
    if (category.children == nullptr || count + 1 > capacity) {
        const std::size_t grown = std::max<std::size_t>({4, capacity * 2, count + 1});
        auto** children = new ParameterInfoEntry*[grown];
        if (category.children != nullptr) {
            std::copy(category.children, category.children + count, children);
        }
        delete[] category.children;
        category.children = children;
        capacity = grown;
    }
    category.children[count] = child;
    category.childCount = static_cast<std::int32_t>(count + 1);
    child->index = category.nextChildIndex++;
}

}  // namespace

// The entry is the first member, so the pointer handed out is the record's.
// The freeing goes by the type and slot count the entry was made with, not
// by fields a caller could have changed.
struct ParameterInfoRegistry::OwnedEntry {
    ParameterInfoEntry entry{};
    std::int32_t madeType = kInfoCategory;
    std::int32_t enumSlots = 0;

    OwnedEntry() = default;
    OwnedEntry(const OwnedEntry&) = delete;
    OwnedEntry& operator=(const OwnedEntry&) = delete;

    ~OwnedEntry()
    {
        delete[] entry.displayName;
        delete[] entry.parentName;
        delete[] entry.name;
        delete[] entry.description;
        switch (madeType) {
        case kInfoCategory:
            delete[] entry.value.category.children;
            break;
        case kInfoEnum: {
            ParameterInfoEnumValue& enumeration = entry.value.enumeration;
            for (std::int32_t slot = 0; slot < enumSlots; ++slot) {
                if (enumeration.valueNames != nullptr) {
                    delete[] enumeration.valueNames[slot];
                }
                if (enumeration.valueDescriptions != nullptr) {
                    delete[] enumeration.valueDescriptions[slot];
                }
            }
            delete[] enumeration.valueNames;
            delete[] enumeration.values;
            delete[] enumeration.valueDescriptions;
            break;
        }
        case kInfoString:
            delete[] entry.value.string.text;
            break;
        default:
            break;
        }
    }
};

void ParameterInfoRegistry::OwnedEntryDeleter::operator()(OwnedEntry* owned) const
{
    delete owned;
}

ParameterInfoRegistry::ParameterInfoRegistry() = default;

ParameterInfoRegistry::~ParameterInfoRegistry()
{
    for (std::uint32_t port = 0; port < kPortCount; ++port) {
        clearPort(port);
    }
}

// Everything that can fail has happened before the first pointer into the
// tree is changed.
ParameterInfoEntry* ParameterInfoRegistry::adopt(OwnedEntryPtr owned, ParameterInfoEntry* parent,
                                                 std::uint32_t port)
{
    std::vector<OwnedEntryPtr>& portEntries = owned_[port];
    // Room for one more, grown by doubling: reserving one at a time would
    // move every entry pointer on every add.
    if (portEntries.size() == portEntries.capacity()) {
        portEntries.reserve(std::max<std::size_t>(16, portEntries.capacity() * 2));
    }
    ParameterInfoEntry* entry = &owned->entry;
    if (parent != nullptr) {
        linkChild(parent, entry, childCapacity_[parent]);
    }
    portEntries.push_back(std::move(owned));
    return entry;
}

ParameterInfoEntry* ParameterInfoRegistry::addCategory(std::uint32_t port, ParameterInfoEntry* parent,
                                                       const char* displayName, const char* name)
{
    if (port >= kPortCount || (parent != nullptr && (!isCategory(parent) || !onPort(parent, port)))) {
        return nullptr;
    }
    try {
        OwnedEntryPtr owned(new OwnedEntry);
        ParameterInfoEntry& entry = owned->entry;
        entry.type = kInfoCategory;
        entry.port = static_cast<std::int32_t>(port);
        entry.displayName = copyText(displayName);
        entry.name = copyText(name);
        if (parent != nullptr) {
            entry.depth = parent->depth + 1;
            entry.parentName = copyText(parent->displayName);
        }
        ParameterInfoEntry* made = adopt(std::move(owned), parent, port);
        if (parent == nullptr) {
            ParameterInfoEntry* older = root_[port];
            if (older != nullptr) {
                older->previous = made;
                made->next = older;
            }
            root_[port] = made;
        }
        return made;
    } catch (...) {
        return nullptr;
    }
}

template <typename FillValue>
ParameterInfoEntry* ParameterInfoRegistry::addTyped(ParameterInfoEntry* parent, const TypedHeader& header,
                                                    FillValue fillValue)
{
    // A typed parent's value part holds no children array: linking under it
    // would write through its numbers.
    if (header.port >= kPortCount || !isCategory(parent) || !onPort(parent, header.port)) {
        return nullptr;
    }
    try {
        OwnedEntryPtr owned(new OwnedEntry);
        owned->madeType = header.type;
        ParameterInfoEntry& entry = owned->entry;
        entry.type = header.type;
        entry.access = header.access;
        entry.attributeA = header.attributeA;
        entry.attributeB = header.attributeB;
        entry.id = header.id;
        entry.port = static_cast<std::int32_t>(header.port);
        entry.displayName = copyText(header.displayName);
        entry.name = copyText(header.name);
        entry.description = copyText(header.description);
        fillValue(*owned);
        return adopt(std::move(owned), parent, header.port);
    } catch (...) {
        return nullptr;
    }
}

ParameterInfoEntry* ParameterInfoRegistry::addIntInfo(ParameterInfoEntry* parent, const char* displayName,
                                                      const char* name, std::int32_t min, std::int32_t max,
                                                      std::int32_t increment, std::int32_t access,
                                                      std::int32_t attributeA, std::int32_t attributeB,
                                                      const char* description, std::int32_t id, std::uint32_t port)
{
    return addTyped(parent, {kInfoInt, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) { owned.entry.value.integer = {min, max, increment}; });
}

ParameterInfoEntry* ParameterInfoRegistry::addRegisterIntInfo(ParameterInfoEntry* parent, const char* displayName,
                                                              const char* name, std::int32_t min, std::int32_t max,
                                                              std::int32_t increment, std::int32_t access,
                                                              std::int32_t attributeA, std::int32_t attributeB,
                                                              const char* description, std::int32_t id,
                                                              std::uint32_t port)
{
    return addTyped(parent,
                    {kInfoRegisterInt, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) { owned.entry.value.integer = {min, max, increment}; });
}

ParameterInfoEntry* ParameterInfoRegistry::addInt64Info(ParameterInfoEntry* parent, const char* displayName,
                                                        const char* name, std::int64_t min, std::int64_t max,
                                                        std::int64_t increment, std::int32_t access,
                                                        std::int32_t attributeA, std::int32_t attributeB,
                                                        const char* description, std::int32_t id, std::uint32_t port)
{
    return addTyped(parent, {kInfoInt64, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) { owned.entry.value.int64 = {min, max, increment}; });
}

ParameterInfoEntry* ParameterInfoRegistry::addRegisterInt64Info(ParameterInfoEntry* parent, const char* displayName,
                                                                const char* name, std::int64_t min, std::int64_t max,
                                                                std::int64_t increment, std::int32_t access,
                                                                std::int32_t attributeA, std::int32_t attributeB,
                                                                const char* description, std::int32_t id,
                                                                std::uint32_t port)
{
    return addTyped(parent,
                    {kInfoRegisterInt64, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) { owned.entry.value.int64 = {min, max, increment}; });
}

ParameterInfoEntry* ParameterInfoRegistry::addDoubleInfo(ParameterInfoEntry* parent, const char* displayName,
                                                         const char* name, double min, double max, double increment,
                                                         std::int32_t access, std::int32_t attributeA,
                                                         std::int32_t attributeB, const char* description,
                                                         std::int32_t id, std::uint32_t port)
{
    return addTyped(parent, {kInfoDouble, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) { owned.entry.value.floating = {min, max, increment}; });
}

ParameterInfoEntry* ParameterInfoRegistry::addEnumInfo(ParameterInfoEntry* parent, const char* displayName,
                                                       const char* name, std::int32_t count, std::int32_t access,
                                                       std::int32_t attributeA, std::int32_t attributeB,
                                                       const char* description, std::int32_t id, std::uint32_t port)
{
    if (count < 0) {
        return nullptr;
    }
    return addTyped(parent, {kInfoEnum, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) {
                        const auto slots = static_cast<std::size_t>(count);
                        ParameterInfoEnumValue& enumeration = owned.entry.value.enumeration;
                        enumeration.valueNames = new char*[slots]();
                        enumeration.values = new std::int32_t[slots]();
                        enumeration.valueDescriptions = new char*[slots]();
                        enumeration.count = count;
                        owned.enumSlots = count;
                    });
}

ParameterInfoEntry* ParameterInfoRegistry::addStringInfo(ParameterInfoEntry* parent, const char* displayName,
                                                         const char* name, const char* text, std::int32_t access,
                                                         std::int32_t attributeA, std::int32_t attributeB,
                                                         const char* description, std::int32_t id, std::uint32_t port)
{
    return addTyped(parent, {kInfoString, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) { owned.entry.value.string.text = copyText(text); });
}

ParameterInfoEntry* ParameterInfoRegistry::addIntArrayInfo(ParameterInfoEntry* parent, const char* displayName,
                                                           const char* name, std::int32_t elementCount,
                                                           std::int32_t min, std::int32_t max, std::int32_t /*unused*/,
                                                           std::int32_t access, std::int32_t attributeA,
                                                           std::int32_t attributeB, const char* description,
                                                           std::int32_t id, std::uint32_t port)
{
    return addTyped(parent,
                    {kInfoIntArray, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) { owned.entry.value.intArray = {min, max, elementCount, 0, min}; });
}

ParameterInfoEntry* ParameterInfoRegistry::addArrayInfo13(ParameterInfoEntry* parent, const char* displayName,
                                                          const char* name, std::int32_t elementCount,
                                                          std::int32_t min, std::int32_t max, std::int32_t /*unused*/,
                                                          std::int32_t access, std::int32_t attributeA,
                                                          std::int32_t attributeB, const char* description,
                                                          std::int32_t id, std::uint32_t port)
{
    return addTyped(parent, {kInfoArray13, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) { owned.entry.value.intArray = {min, max, elementCount, 0, min}; });
}

ParameterInfoEntry* ParameterInfoRegistry::addInt64ArrayInfo(ParameterInfoEntry* parent, const char* displayName,
                                                             const char* name, std::int32_t elementCount,
                                                             std::int64_t min, std::int64_t max,
                                                             std::int64_t /*unused*/, std::int32_t access,
                                                             std::int32_t attributeA, std::int32_t attributeB,
                                                             const char* description, std::int32_t id,
                                                             std::uint32_t port)
{
    return addTyped(parent,
                    {kInfoInt64Array, displayName, name, access, attributeA, attributeB, description, id, port},
                    [&](OwnedEntry& owned) {
                        ParameterInfoInt64ArrayValue& array = owned.entry.value.int64Array;
                        array.min = min;
                        array.max = max;
                        array.elementCount = elementCount;
                        array.zero = 0;
                        array.minAgain = min;
                    });
}

std::int32_t ParameterInfoRegistry::setEnumEntry(ParameterInfoEntry* entry, std::int32_t slot, const char* valueName,
                                                 std::int32_t value, const char* valueDescription)
{
    if (entry == nullptr || entry->type != kInfoEnum) {
        return kErrInvalidArgument;
    }
    ParameterInfoEnumValue& enumeration = entry->value.enumeration;
    if (slot < 0 || slot >= enumeration.count || enumeration.valueNames == nullptr ||
        enumeration.values == nullptr || enumeration.valueDescriptions == nullptr) {
        return kErrInvalidArgument;
    }
    char* name = nullptr;
    char* description = nullptr;
    try {
        name = copyText(valueName);
        description = copyText(valueDescription);
    } catch (const std::bad_alloc&) {
        delete[] name;
        return kErrBufferTooSmall;
    }
    delete[] enumeration.valueNames[slot];
    delete[] enumeration.valueDescriptions[slot];
    enumeration.valueNames[slot] = name;
    enumeration.values[slot] = value;
    enumeration.valueDescriptions[slot] = description;
    return 0;
}

ParameterInfoEntry* ParameterInfoRegistry::getRoot(std::uint32_t port) const
{
    return port < kPortCount ? root_[port] : nullptr;
}

ParameterInfoEntry* ParameterInfoRegistry::nextRootEntry(const ParameterInfoEntry* entry, std::uint32_t port) const
{
    return entry == nullptr ? getRoot(port) : entry->next;
}

void ParameterInfoRegistry::clearPort(std::uint32_t port)
{
    if (port >= kPortCount) {
        return;
    }
    // A later entry may be made at a freed one's address: it must not
    // inherit that one's room.
    for (const OwnedEntryPtr& owned : owned_[port]) {
        childCapacity_.erase(&owned->entry);
    }
    owned_[port].clear();
    root_[port] = nullptr;
}

}  // namespace velm
