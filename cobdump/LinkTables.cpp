#include "cobdump/LinkTables.h"

#include "zarn/CobFormat.h"
#include "zarn/TokenShapes.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace cobdump {
namespace {

// The NUL-terminated texts of bytes [start, start + size); a last text without its NUL counts too.
std::vector<LinkText> TextsOf(const std::string& bytes, std::int32_t start, std::int32_t size) {
    std::vector<LinkText> texts;
    for (std::int32_t at = 0; at < size;) {
        std::size_t nul = bytes.find('\0', static_cast<std::size_t>(start + at));
        std::int32_t end = std::min(size, nul == std::string::npos ? size : static_cast<std::int32_t>(nul) - start);
        texts.push_back({at, bytes.substr(static_cast<std::size_t>(start + at), static_cast<std::size_t>(end - at))});
        at = end + 1;
    }
    return texts;
}

bool ZerosAt(const std::string& bytes, std::int32_t start, std::int32_t count) {
    if (start + count > static_cast<std::int32_t>(bytes.size())) return false;
    return std::all_of(bytes.begin() + start, bytes.begin() + start + count, [](char c) { return c == '\0'; });
}

std::int32_t DllTableSize(const std::string& linkBytes, std::int64_t codeBytes,
                          const std::vector<std::int32_t>& pushedConstants) {
    std::unordered_map<std::int64_t, std::size_t> firstPush;  // link byte offset -> order of first use
    for (std::size_t i = 0; i < pushedConstants.size(); ++i) firstPush.emplace(pushedConstants[i] - codeBytes, i);

    const std::int32_t total = static_cast<std::int32_t>(linkBytes.size());
    std::unordered_set<std::string> seen;
    std::int32_t best = 0;
    std::size_t lastUse = 0;
    for (const LinkText& entry : TextsOf(linkBytes, 0, total)) {
        if (!zarn::HasDllSymbolShape(entry.text) || !seen.insert(entry.text).second) break;
        auto use = firstPush.find(entry.offset);
        if (use == firstPush.end() || (entry.offset > 0 && use->second <= lastUse)) break;
        lastUse = use->second;
        const std::int32_t end = entry.offset + static_cast<std::int32_t>(entry.text.size()) + 1;
        if (end > total) break;
        if (ZerosAt(linkBytes, end, zarn::Padding(end))) best = end;
    }
    return best;
}

}  // namespace

const LinkText* LinkTable::TextAt(std::int64_t offset) const {
    auto found = std::lower_bound(texts.begin(), texts.end(), offset,
                                  [](const LinkText& text, std::int64_t value) { return text.offset < value; });
    return found != texts.end() && found->offset == offset ? &*found : nullptr;
}

LinkTables SplitLinkTables(const std::string& linkBytes, std::int64_t codeBytes,
                           const std::vector<std::int32_t>& pushedConstants) {
    LinkTables tables;
    const std::int32_t dllSize = DllTableSize(linkBytes, codeBytes, pushedConstants);
    tables.dll = {0, dllSize, TextsOf(linkBytes, 0, dllSize)};

    // The string table ends with its last NUL byte; up to three zero bytes after it are padding.
    const std::int32_t start = dllSize + zarn::Padding(dllSize);
    const std::int32_t rest = static_cast<std::int32_t>(linkBytes.size()) - start;
    std::int32_t size = rest;
    while (size > 1 && size - 1 > rest - 4 && linkBytes[static_cast<std::size_t>(start + size - 1)] == '\0' &&
           linkBytes[static_cast<std::size_t>(start + size - 2)] == '\0')
        --size;
    tables.strings = {start, size, TextsOf(linkBytes, start, size)};
    return tables;
}

}  // namespace cobdump
