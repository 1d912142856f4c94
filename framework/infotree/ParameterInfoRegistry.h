// The parameter-info tree of an applet instance: one chain of root
// categories per port, categories holding typed entries. The entry record is
// read and written by the acquisition host library as well, so its layout is
// fixed field by field for both pointer widths.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <unordered_map>
#include <vector>

extern "C" {

struct ParameterInfoEntry;

// The value part, by type. Doubles and 64-bit integers are forced to 8-byte
// alignment: 32-bit Linux would place them on 4 bytes, 32-bit Windows on 8,
// and both must give the same offsets.

struct ParameterInfoCategoryValue {
    std::int32_t childCount;
    ParameterInfoEntry** children;  // childCount pointers; children[i]->index == i
    std::int32_t nextChildIndex;
};

struct ParameterInfoIntValue {
    std::int32_t min;
    std::int32_t max;
    std::int32_t increment;
};

struct ParameterInfoEnumValue {
    std::int32_t count;
    char** valueNames;         // count texts, null until filled
    std::int32_t* values;      // count values
    std::uint32_t reserved[2];
    char** valueDescriptions;  // count texts, each may be null
};

struct ParameterInfoStringValue {
    std::int32_t reserved;
    char* text;
};

struct ParameterInfoDoubleValue {
    alignas(8) double min;
    alignas(8) double max;
    alignas(8) double increment;
};

struct ParameterInfoIntArrayValue {
    std::int32_t min;
    std::int32_t max;
    std::int32_t elementCount;
    std::int32_t zero;
    std::int32_t minAgain;
};

struct ParameterInfoInt64ArrayValue {
    alignas(8) std::int64_t min;
    alignas(8) std::int64_t max;
    std::int32_t elementCount;
    std::int32_t zero;
    alignas(8) std::int64_t minAgain;
};

struct ParameterInfoInt64Value {
    alignas(8) std::int64_t min;
    alignas(8) std::int64_t max;
    alignas(8) std::int64_t increment;
};

union ParameterInfoValue {
    ParameterInfoCategoryValue category;      // type 0
    ParameterInfoIntValue integer;            // types 1 and 11
    ParameterInfoEnumValue enumeration;       // type 3
    ParameterInfoStringValue string;          // type 5
    ParameterInfoDoubleValue floating;        // type 6
    ParameterInfoIntArrayValue intArray;      // types 7 and 13
    ParameterInfoInt64ArrayValue int64Array;  // type 8
    ParameterInfoInt64Value int64;            // types 9 and 12
};

struct ParameterInfoEntry {
    std::int32_t type;
    std::int32_t index;        // position among the parent's children
    char* displayName;
    char* name;                // parameter name; null for a category
    std::int32_t access;       // bit 0 readable, bit 1 writable, bit 2 passed on
    std::int32_t attributeA;
    std::int32_t attributeB;   // 0: left out of the XML description
    std::int32_t id;
    ParameterInfoValue value;
    ParameterInfoEntry* next;      // roots: the next older root
    ParameterInfoEntry* previous;  // roots: the next newer root
    std::int32_t depth;            // categories: 0 for a root
    char* parentName;              // categories under a parent: its display name
    char* description;
    std::int32_t port;
};

}  // extern "C"

namespace velm::entry_layout {

constexpr bool kWide = sizeof(void*) == 8;
static_assert(sizeof(void*) == 8 || sizeof(void*) == 4, "entry layout is fixed for 32 and 64 bits only");

constexpr std::size_t at(std::size_t wide, std::size_t narrow)
{
    return kWide ? wide : narrow;
}

constexpr std::size_t kValue = offsetof(ParameterInfoEntry, value);

static_assert(std::is_standard_layout_v<ParameterInfoEntry>, "the host reads entries as a plain record");
static_assert(sizeof(ParameterInfoEntry) == at(128, 88), "entry size");
static_assert(offsetof(ParameterInfoEntry, type) == 0, "type");
static_assert(offsetof(ParameterInfoEntry, index) == 4, "index");
static_assert(offsetof(ParameterInfoEntry, displayName) == 8, "displayName");
static_assert(offsetof(ParameterInfoEntry, name) == at(16, 12), "name");
static_assert(offsetof(ParameterInfoEntry, access) == at(24, 16), "access");
static_assert(offsetof(ParameterInfoEntry, attributeA) == at(28, 20), "attributeA");
static_assert(offsetof(ParameterInfoEntry, attributeB) == at(32, 24), "attributeB");
static_assert(offsetof(ParameterInfoEntry, id) == at(36, 28), "id");
static_assert(kValue == at(40, 32), "value part");
static_assert(sizeof(ParameterInfoValue) == at(40, 32), "value part size");
static_assert(offsetof(ParameterInfoEntry, next) == at(80, 64), "next");
static_assert(offsetof(ParameterInfoEntry, previous) == at(88, 68), "previous");
static_assert(offsetof(ParameterInfoEntry, depth) == at(96, 72), "depth");
static_assert(offsetof(ParameterInfoEntry, parentName) == at(104, 76), "parentName");
static_assert(offsetof(ParameterInfoEntry, description) == at(112, 80), "description");
static_assert(offsetof(ParameterInfoEntry, port) == at(120, 84), "port");

static_assert(kValue + offsetof(ParameterInfoCategoryValue, childCount) == at(40, 32), "childCount");
static_assert(kValue + offsetof(ParameterInfoCategoryValue, children) == at(48, 36), "children");
static_assert(kValue + offsetof(ParameterInfoCategoryValue, nextChildIndex) == at(56, 40), "nextChildIndex");

static_assert(kValue + offsetof(ParameterInfoIntValue, min) == at(40, 32), "int min");
static_assert(kValue + offsetof(ParameterInfoIntValue, max) == at(44, 36), "int max");
static_assert(kValue + offsetof(ParameterInfoIntValue, increment) == at(48, 40), "int increment");

static_assert(kValue + offsetof(ParameterInfoEnumValue, count) == at(40, 32), "enum count");
static_assert(kValue + offsetof(ParameterInfoEnumValue, valueNames) == at(48, 36), "enum value names");
static_assert(kValue + offsetof(ParameterInfoEnumValue, values) == at(56, 40), "enum values");
static_assert(kValue + offsetof(ParameterInfoEnumValue, valueDescriptions) == at(72, 52), "enum descriptions");

static_assert(kValue + offsetof(ParameterInfoStringValue, text) == at(48, 36), "string text");

static_assert(kValue + offsetof(ParameterInfoDoubleValue, min) == at(40, 32), "double min");
static_assert(kValue + offsetof(ParameterInfoDoubleValue, max) == at(48, 40), "double max");
static_assert(kValue + offsetof(ParameterInfoDoubleValue, increment) == at(56, 48), "double increment");

static_assert(kValue + offsetof(ParameterInfoIntArrayValue, min) == at(40, 32), "array min");
static_assert(kValue + offsetof(ParameterInfoIntArrayValue, max) == at(44, 36), "array max");
static_assert(kValue + offsetof(ParameterInfoIntArrayValue, elementCount) == at(48, 40), "array count");
static_assert(kValue + offsetof(ParameterInfoIntArrayValue, zero) == at(52, 44), "array zero");
static_assert(kValue + offsetof(ParameterInfoIntArrayValue, minAgain) == at(56, 48), "array min again");

// No build uses type 8 on 32 bits; its offsets there follow from the same
// alignment rules.
static_assert(kValue + offsetof(ParameterInfoInt64ArrayValue, min) == at(40, 32), "int64 array min");
static_assert(kValue + offsetof(ParameterInfoInt64ArrayValue, max) == at(48, 40), "int64 array max");
static_assert(kValue + offsetof(ParameterInfoInt64ArrayValue, elementCount) == at(56, 48), "int64 array count");
static_assert(kValue + offsetof(ParameterInfoInt64ArrayValue, zero) == at(60, 52), "int64 array zero");
static_assert(kValue + offsetof(ParameterInfoInt64ArrayValue, minAgain) == at(64, 56), "int64 array min again");

static_assert(kValue + offsetof(ParameterInfoInt64Value, min) == at(40, 32), "int64 min");
static_assert(kValue + offsetof(ParameterInfoInt64Value, max) == at(48, 40), "int64 max");
static_assert(kValue + offsetof(ParameterInfoInt64Value, increment) == at(56, 48), "int64 increment");

}  // namespace velm::entry_layout

namespace velm {

// Type codes of ParameterInfoEntry::type. 2, 4 and 10 are not used.
enum ParameterInfoType : std::int32_t {
    kInfoCategory = 0,
    kInfoInt = 1,
    kInfoEnum = 3,
    kInfoString = 5,
    kInfoDouble = 6,
    kInfoIntArray = 7,
    kInfoInt64Array = 8,
    kInfoInt64 = 9,
    kInfoRegisterInt = 11,     // copied from the host's tree
    kInfoRegisterInt64 = 12,   // copied from the host's tree
    kInfoArray13 = 13,
};

// Owns every entry of every port; texts in entries are private copies.
// Adders answer the new entry, or null when nothing was made: a port outside
// 0 to 3, a typed entry without a category as parent, a category under a
// non-category, a parent on another port, or memory running out.
class ParameterInfoRegistry {
public:
    static constexpr std::uint32_t kPortCount = 4;

    ParameterInfoRegistry();
    ~ParameterInfoRegistry();
    ParameterInfoRegistry(const ParameterInfoRegistry&) = delete;
    ParameterInfoRegistry& operator=(const ParameterInfoRegistry&) = delete;

    // Without a parent the category becomes the port's newest root. The
    // applets' own categories have no name; one mirrored from the host's
    // tree carries the host category's.
    ParameterInfoEntry* addCategory(std::uint32_t port, ParameterInfoEntry* parent, const char* displayName,
                                    const char* name = nullptr);

    ParameterInfoEntry* addIntInfo(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                   std::int32_t min, std::int32_t max, std::int32_t increment, std::int32_t access,
                                   std::int32_t attributeA, std::int32_t attributeB, const char* description,
                                   std::int32_t id, std::uint32_t port);
    ParameterInfoEntry* addRegisterIntInfo(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                           std::int32_t min, std::int32_t max, std::int32_t increment,
                                           std::int32_t access, std::int32_t attributeA, std::int32_t attributeB,
                                           const char* description, std::int32_t id, std::uint32_t port);
    ParameterInfoEntry* addInt64Info(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                     std::int64_t min, std::int64_t max, std::int64_t increment, std::int32_t access,
                                     std::int32_t attributeA, std::int32_t attributeB, const char* description,
                                     std::int32_t id, std::uint32_t port);
    ParameterInfoEntry* addRegisterInt64Info(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                             std::int64_t min, std::int64_t max, std::int64_t increment,
                                             std::int32_t access, std::int32_t attributeA, std::int32_t attributeB,
                                             const char* description, std::int32_t id, std::uint32_t port);
    ParameterInfoEntry* addDoubleInfo(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                      double min, double max, double increment, std::int32_t access,
                                      std::int32_t attributeA, std::int32_t attributeB, const char* description,
                                      std::int32_t id, std::uint32_t port);
    // `count` empty slots (null names, zero values, null descriptions), to be
    // filled with setEnumEntry. A negative count makes nothing.
    ParameterInfoEntry* addEnumInfo(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                    std::int32_t count, std::int32_t access, std::int32_t attributeA,
                                    std::int32_t attributeB, const char* description, std::int32_t id,
                                    std::uint32_t port);
    ParameterInfoEntry* addStringInfo(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                      const char* text, std::int32_t access, std::int32_t attributeA,
                                      std::int32_t attributeB, const char* description, std::int32_t id,
                                      std::uint32_t port);
    // `unused` is accepted for the callers' sake and not kept.
    ParameterInfoEntry* addIntArrayInfo(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                        std::int32_t elementCount, std::int32_t min, std::int32_t max,
                                        std::int32_t unused, std::int32_t access, std::int32_t attributeA,
                                        std::int32_t attributeB, const char* description, std::int32_t id,
                                        std::uint32_t port);
    ParameterInfoEntry* addArrayInfo13(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                       std::int32_t elementCount, std::int32_t min, std::int32_t max,
                                       std::int32_t unused, std::int32_t access, std::int32_t attributeA,
                                       std::int32_t attributeB, const char* description, std::int32_t id,
                                       std::uint32_t port);
    ParameterInfoEntry* addInt64ArrayInfo(ParameterInfoEntry* parent, const char* displayName, const char* name,
                                          std::int32_t elementCount, std::int64_t min, std::int64_t max,
                                          std::int64_t unused, std::int32_t access, std::int32_t attributeA,
                                          std::int32_t attributeB, const char* description, std::int32_t id,
                                          std::uint32_t port);

    // Replaces what slot `slot` held. 0; -2070 for an entry that is not an
    // enumeration or a slot outside 0 to count - 1 (nothing is written);
    // -500 when the copies cannot be had.
    std::int32_t setEnumEntry(ParameterInfoEntry* entry, std::int32_t slot, const char* valueName,
                              std::int32_t value, const char* valueDescription);

    // Newest root of the port; null outside 0 to 3 or for a port without one.
    ParameterInfoEntry* getRoot(std::uint32_t port) const;
    // The next older root, or the port's newest root for a null entry.
    ParameterInfoEntry* nextRootEntry(const ParameterInfoEntry* entry, std::uint32_t port) const;
    void clearPort(std::uint32_t port);

private:
    struct OwnedEntry;
    struct OwnedEntryDeleter {
        void operator()(OwnedEntry* owned) const;
    };
    using OwnedEntryPtr = std::unique_ptr<OwnedEntry, OwnedEntryDeleter>;

    struct TypedHeader {
        std::int32_t type;
        const char* displayName;
        const char* name;
        std::int32_t access;
        std::int32_t attributeA;
        std::int32_t attributeB;
        const char* description;
        std::int32_t id;
        std::uint32_t port;
    };

    template <typename FillValue>
    ParameterInfoEntry* addTyped(ParameterInfoEntry* parent, const TypedHeader& header, FillValue fillValue);
    ParameterInfoEntry* adopt(OwnedEntryPtr owned, ParameterInfoEntry* parent, std::uint32_t port);

    std::array<ParameterInfoEntry*, kPortCount> root_{};
    std::array<std::vector<OwnedEntryPtr>, kPortCount> owned_;
    // Room in each category's children array (it may hold more than
    // childCount pointers).
    std::unordered_map<const ParameterInfoEntry*, std::size_t> childCapacity_;
};

}  // namespace velm
