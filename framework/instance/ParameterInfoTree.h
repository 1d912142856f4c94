// An applet's parameter-info tree, given as a constant table of categories
// and entries and built once per instance into the registry. Every typed
// entry is also recorded in the instance's parameter-info index, so that
// setters can move the limits shown to callers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ConstantTable.h"
#include "InterfaceNumbers.h"

namespace velm {

class GenericApplet;

enum class InfoItemKind : std::uint8_t {
    Category,
    Int,
    Enum,      // values from the parameter's run of the allowed-value table
    Double,
    IntArray,
    String,
};

struct InfoItem {
    InfoItemKind kind;
    // For an entry: the display name of its category. For a category: the
    // display name of its parent, or null for a root of the port.
    const char* category;
    const char* displayName;
    std::int32_t id = 0;  // parameter id of an entry
    double min = 0.0;
    double max = 0.0;
    double increment = 0.0;
    std::int32_t access = 0;
    std::int32_t attributeA = 1;
    const char* unit = "";      // shown in the description field
    const char* text = nullptr; // value text of a String entry
    std::int32_t count = 0;     // element count of an IntArray entry
};

// Item makers that keep an applet's table readable.
constexpr InfoItem infoCategory(const char* displayName, const char* parent = nullptr)
{
    return InfoItem{InfoItemKind::Category, parent, displayName};
}

constexpr InfoItem infoInt(const char* category, const char* displayName, std::int32_t id, double min, double max,
                           double increment, std::int32_t access, std::int32_t attributeA = 1, const char* unit = "")
{
    return InfoItem{InfoItemKind::Int, category, displayName, id, min, max, increment, access, attributeA, unit};
}

constexpr InfoItem infoDouble(const char* category, const char* displayName, std::int32_t id, double min, double max,
                              double increment, std::int32_t access, std::int32_t attributeA = 1,
                              const char* unit = "")
{
    return InfoItem{InfoItemKind::Double, category, displayName, id, min, max, increment, access, attributeA, unit};
}

constexpr InfoItem infoEnum(const char* category, const char* displayName, std::int32_t id, std::int32_t access,
                            std::int32_t attributeA = 1)
{
    return InfoItem{InfoItemKind::Enum, category, displayName, id, 0.0, 0.0, 0.0, access, attributeA};
}

constexpr InfoItem infoArray(const char* category, const char* displayName, std::int32_t id, std::int32_t count,
                             double min, double max, std::int32_t access, std::int32_t attributeA = 1)
{
    return InfoItem{InfoItemKind::IntArray, category, displayName, id, min, max, 0.0, access, attributeA, "",
                    nullptr, count};
}

constexpr InfoItem infoString(const char* category, const char* displayName, std::int32_t id, const char* text,
                              std::int32_t access, std::int32_t attributeA = 1)
{
    return InfoItem{InfoItemKind::String, category, displayName, id, 0.0, 0.0, 0.0, access, attributeA, "", text};
}

// Builds the table's tree for every camera port of the applet, then the
// "Direct Register Access" category (direct register access on) and the
// "Direct PL Access" mirror of the host's entries of the "DPLA_" parameters
// (when the applet's rule asks for it: "VELM_ENABLE_DPLA" on, or "DPLA_"
// parameters admitted).
void buildParameterInfoTree(GenericApplet& applet, const TableOf<InfoItem>& items);

// Setters move the limits and access shown for other parameters. Each moves
// the entry made for (port, id), when there is one.
void moveInfoIntMax(GenericApplet& applet, std::uint32_t port, std::int32_t id, std::int32_t max);
void moveInfoIntMin(GenericApplet& applet, std::uint32_t port, std::int32_t id, std::int32_t min);
void moveInfoDoubleMin(GenericApplet& applet, std::uint32_t port, std::int32_t id, double min);
void moveInfoAccess(GenericApplet& applet, std::uint32_t port, std::int32_t id, std::int32_t access);

}  // namespace velm
