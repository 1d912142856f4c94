#include "DesignBlock.h"

#include <charconv>
#include <vector>

namespace velm::sim {

namespace {

constexpr std::string_view kMagic = "QRTB";
constexpr std::int32_t kMaxRegisterWidth = 64;
// The board makes a table register's whole table at its first write: a
// length must stay within reason.
constexpr std::uint32_t kMaxTableLength = 65536;

std::vector<std::string_view> splitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t position = 0;
    while (position < line.size()) {
        std::size_t start = line.find_first_not_of(" \t", position);
        if (start == std::string_view::npos) {
            break;
        }
        std::size_t end = line.find_first_of(" \t", start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        words.push_back(line.substr(start, end - start));
        position = end;
    }
    return words;
}

// Decimal only: a leading zero must not turn a register id into octal.
template <typename Integer>
bool parseNumber(std::string_view text, Integer& out)
{
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, out);
    return error == std::errc() && stop == end;
}

bool addRegister(const std::vector<std::string_view>& words, Design& design)
{
    DesignRegister reg{};
    if ((words.size() != 5 && words.size() != 7) || !parseNumber(words[1], reg.id) ||
        !parseNumber(words[2], reg.width)) {
        return false;
    }
    if (words[3] != "rw" && words[3] != "ro") {
        return false;
    }
    if (words.size() == 7 && (words[5] != "table" || !parseNumber(words[6], reg.tableLength) ||
                              reg.tableLength < 1 || reg.tableLength > kMaxTableLength)) {
        return false;
    }
    reg.writable = words[3] == "rw";
    reg.name = std::string(words[4]);
    // Id 0 is the loader's "no such register", so no register may have it;
    // a repeated id or name would make the lookups ambiguous.
    if (reg.id == 0 || reg.width < 1 || reg.width > kMaxRegisterWidth || design.findById(reg.id) != nullptr ||
        design.findByName(reg.name) != nullptr) {
        return false;
    }
    design.add(std::move(reg));
    return true;
}

bool addEvent(const std::vector<std::string_view>& words, Design& design)
{
    std::int32_t kind = 0;
    if (words.size() != 3 || !parseNumber(words[1], kind)) {
        return false;
    }
    design.eventNames.emplace_back(words[2]);
    design.events.push_back(DesignEvent{0, nullptr, 0, kind});
    return true;
}

}  // namespace

std::unique_ptr<Design> parseDesignBlock(std::string_view block)
{
    auto design = std::make_unique<Design>();
    bool magicSeen = false;
    bool ended = false;
    std::size_t position = 0;
    while (position < block.size()) {
        std::size_t newline = block.find('\n', position);
        std::size_t lineEnd = newline == std::string_view::npos ? block.size() : newline;
        std::string_view line = block.substr(position, lineEnd - position);
        position = newline == std::string_view::npos ? block.size() : newline + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }

        if (!magicSeen) {
            // The magic must stand alone on the first line, with its newline.
            if (line != kMagic || newline == std::string_view::npos) {
                return nullptr;
            }
            magicSeen = true;
            continue;
        }
        std::vector<std::string_view> words = splitWords(line);
        if (words.empty() || words.front().front() == '#') {
            continue;
        }
        if (ended) {
            return nullptr;  // items after the closing line
        }
        if (words.front() == "end" && words.size() == 1) {
            ended = true;
        } else if (words.front() == "register") {
            if (!addRegister(words, *design)) {
                return nullptr;
            }
        } else if (words.front() == "event") {
            if (!addEvent(words, *design)) {
                return nullptr;
            }
        } else if (words.front() == "gap" && words.size() == 1) {
            design->eventNames.emplace_back();
            design->events.push_back(DesignEvent{0, nullptr, 0, 0});
        } else {
            return nullptr;
        }
    }
    if (!ended) {
        return nullptr;
    }
    // Only now are the names in place for good.
    // A gap keeps its null name.
    for (std::size_t i = 0; i < design->events.size(); ++i) {
        if (!design->eventNames[i].empty()) {
            design->events[i].name = design->eventNames[i].c_str();
        }
    }
    return design;
}

}  // namespace velm::sim
