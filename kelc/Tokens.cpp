#include "kelc/Tokens.h"

#include <algorithm>
#include <stdexcept>

namespace kelc {
namespace {

// Display names by value; nullptr where a kind has none.
const char* const kDisplayNames[102] = {
    "whitespace (internal, should never be seen)",
    nullptr,
    "End of File",
    "identifier",
    ";", ",", ".", ":", "(", ")", "[", "]",
    "=", "==", "!=", ">", ">=", "<", "<=",
    "+", "-", "/", "*", "++", "--",
    "||", "^^", "&&", "~", "|", "^", "&", "!", "<<", ">>",
    "+=", "-=", "/=", "*=",
    "||= (bitwise or assignment)",
    "^^= (bitwise xor assignment)",
    "&&= (bitwise and assignment)",
    "|= (bitwise or assignment)",
    "^= (bitwise xor assignment)",
    "&= (bitwise and assignment)",
    "<<= (left shift assignment)",
    ">>= (right shift assignment)",
    "integer data type",
    "hexadecimal integer data type",
    "floatpoint data type",
    "string data type",
    "inlinable",
    "returns",
    "{", "}",
    "static-var", "var", "piece", "const", "__zarn", "get", "set", "sleep", "wait-for-turn",
    "wait-for-move", "turn", "move", "spin", "stop-spin", "to", "around", "along", "from", "now",
    "speed", "accelerate", "decelerate", "hide", "show", "cache", "dont-cache", "call-script",
    "start-script", "signal", "set-signal-mask", "explode", "type", "emit-sfx", "shade",
    "dont-shade", "rand", "attach-unit", "drop-unit",
    nullptr,  // 93, Mission-Command
    "for", "if", "else", "do", "while", "break", "continue", "return",
};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// <0, 0, >0 like strcmp, ignoring the case of ASCII letters.
int CompareIgnoringCase(std::string_view a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        unsigned char x = static_cast<unsigned char>(Lower(a[i]));
        unsigned char y = static_cast<unsigned char>(Lower(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    return b[i] == '\0' ? 0 : -1;
}

}  // namespace

const TSymbolData KeywordTable[53] = {
    {"const", ttConst},
    {"return", ttReturn},
    {"break", ttBreak},
    {"continue", ttContinue},
    {"for", ttFor},
    {"if", ttIf},
    {"else", ttElse},
    {"do", ttDo},
    {"while", ttWhile},
    {"static-var", ttStaticVar},
    {"var", ttVar},
    {"piece", ttPiece},
    {"__zarn", ttAsmBlock},
    {"inline", ttInline},
    {"returns", ttReturns},
    {"or", ttLogicalOr},
    {"xor", ttLogicalXor},
    {"and", ttLogicalAnd},
    {"not", ttTilde},
    {"get", ttGet},
    {"set", ttSet},
    {"sleep", ttSleep},
    {"wait-for-turn", ttWaitForTurn},
    {"wait-for-move", ttWaitForMove},
    {"turn", ttTurn},
    {"move", ttMove},
    {"spin", ttSpin},
    {"stop-spin", ttStopSpin},
    {"to", ttTo},
    {"around", ttAround},
    {"along", ttAlong},
    {"from", ttFrom},
    {"now", ttNow},
    {"speed", ttSpeed},
    {"accelerate", ttAccelerate},
    {"decelerate", ttDecelerate},
    {"hide", ttHide},
    {"show", ttShow},
    {"cache", ttCache},
    {"dont-cache", ttDontCache},
    {"call-script", ttCallScript},
    {"start-script", ttStartScript},
    {"signal", ttSignal},
    {"set-signal-mask", ttSetSignalMask},
    {"explode", ttExplode},
    {"type", ttType},
    {"emit-sfx", ttEmitSfx},
    {"shade", ttShade},
    {"dont-shade", ttDontShade},
    {"rand", ttRand},
    {"attach-unit", ttAttachUnit},
    {"drop-unit", ttDropUnit},
    {"Mission-Command", ttMissionCommand},
};

std::string TokenKindName(TTokenType kind) {
    if (kind < 102 && kDisplayNames[kind] != nullptr) return kDisplayNames[kind];
    return "Unknown token" + std::to_string(static_cast<int>(kind));
}

TKeywordList BuildKeywordList() {
    TKeywordList list;
    for (const TSymbolData& entry : KeywordTable) {
        std::string name = entry.name;
        auto at = std::lower_bound(list.entries_.begin(), list.entries_.end(), name,
                                   [](const TSymbolData& e, const std::string& n) { return CompareIgnoringCase(n, e.name) > 0; });
        if (at != list.entries_.end() && CompareIgnoringCase(name, at->name) == 0)
            throw std::logic_error("Duplicate keyword " + name);
        list.entries_.insert(at, entry);
        list.longest_ = std::max(list.longest_, name.size());
        for (char& c : name) c = Lower(c);
        list.byFirstLetter_[static_cast<unsigned char>(name[0])].emplace_back(name, entry.kind);
    }
    return list;
}

TTokenType TKeywordList::Find(std::string_view text) const {
    if (text.size() <= 1 || text.size() > longest_) return ttIdentifier;
    for (const auto& [name, kind] : byFirstLetter_[static_cast<unsigned char>(Lower(text[0]))]) {
        if (name.size() != text.size()) continue;
        std::size_t i = 1;
        while (i < name.size() && Lower(text[i]) == name[i]) ++i;
        if (i == name.size()) return kind;
    }
    return ttIdentifier;
}

}  // namespace kelc
