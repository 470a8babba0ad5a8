#include "tests/support/StackEvaluator.h"

#include <limits>
#include <sstream>

namespace {

std::int32_t Wrap(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

std::int32_t Pop(Machine& m) {
    if (m.stack.empty()) {
        ++m.underflows;
        return 0;
    }
    std::int32_t value = m.stack.back();
    m.stack.pop_back();
    return value;
}

// The result of a two-operand instruction; false for a division the engine cannot do.
bool Combine(std::uint32_t word, std::int32_t a, std::int32_t b, std::int32_t& r) {
    const auto ua = static_cast<std::uint32_t>(a);
    switch (word) {
        case 0x10031000: r = Wrap(std::int64_t{a} + b); return true;
        case 0x10032000: r = Wrap(std::int64_t{a} - b); return true;
        case 0x10033000: r = Wrap(std::int64_t{a} * b); return true;
        case 0x10034000:
            if (b == 0 || (a == std::numeric_limits<std::int32_t>::min() && b == -1)) return false;
            r = a / b;
            return true;
        case 0x10035000: r = a & b; return true;
        case 0x10036000: r = a | b; return true;
        case 0x10037000: r = a ^ b; return true;
        case 0x10044000: r = Wrap(ua << (b & 31)); return true;
        case 0x10045000: r = a >> (b & 31); return true;
        case 0x10051000: r = a < b; return true;
        case 0x10052000: r = a <= b; return true;
        case 0x10053000: r = a > b; return true;
        case 0x10054000: r = a >= b; return true;
        case 0x10055000: r = a == b; return true;
        case 0x10056000: r = a != b; return true;
        case 0x10057000: r = a != 0 && b != 0; return true;
        case 0x10058000: r = a != 0 || b != 0; return true;
        case 0x10059000: r = (a == 1) != (b == 1); return true;
        default: return false;
    }
}

bool IsCombination(std::uint32_t word) {
    return (word >= 0x10031000 && word <= 0x10037000) || word == 0x10044000 || word == 0x10045000 ||
           (word >= 0x10051000 && word <= 0x10059000);
}

}  // namespace

Machine Evaluate(const std::vector<std::int32_t>& code, std::size_t start, Machine m) {
    std::size_t pc = start;
    auto operand = [&](std::size_t offset) { return pc + offset < code.size() ? code[pc + offset] : 0; };
    auto variable = [&](std::vector<std::int32_t>& variables, std::int32_t index) -> std::int32_t* {
        if (index < 0 || static_cast<std::size_t>(index) >= variables.size()) return nullptr;
        return &variables[static_cast<std::size_t>(index)];
    };
    for (int steps = 0;; ++steps) {
        if (steps == 1000000) {
            m.end = "step limit";
            return m;
        }
        if (pc >= code.size()) {
            m.end = "end of code";
            return m;
        }
        const auto word = static_cast<std::uint32_t>(code[pc]);
        std::size_t next = pc + 1;
        if (word == 0x10021001) {  // pushc
            m.stack.push_back(operand(1));
            next = pc + 2;
        } else if (word == 0x10021002 || word == 0x10021004 || word == 0x10023002 || word == 0x10023004) {
            bool local = word == 0x10021002 || word == 0x10023002;
            std::int32_t* slot = variable(local ? m.locals : m.statics, operand(1));
            if (slot == nullptr) {
                m.end = "no such variable";
                return m;
            }
            if (word == 0x10021002 || word == 0x10021004) {
                m.stack.push_back(*slot);
            } else {
                *slot = Pop(m);
                m.effects.push_back(*slot);
            }
            next = pc + 2;
        } else if (IsCombination(word)) {
            std::int32_t b = Pop(m);
            std::int32_t a = Pop(m);
            std::int32_t r = 0;
            if (!Combine(word, a, b, r)) {
                m.end = "division the engine cannot do";
                return m;
            }
            m.stack.push_back(r);
        } else if (word == 0x10038000) {  // not
            m.stack.push_back(~Pop(m));
        } else if (word == 0x1005A000) {  // neg
            m.stack.push_back(Pop(m) == 0);
        } else if (word == 0x10002000) {  // turn: piece and axis words, then two values from the stack
            m.effects.insert(m.effects.end(), {operand(1), operand(2), Pop(m), Pop(m)});
            next = pc + 3;
        } else if (word == 0x10006000) {  // hide: a piece word
            next = pc + 2;
        } else if (word == 0x10013000) {  // sleep
            m.effects.push_back(Pop(m));
        } else if (word == 0x10064000 || word == 0x10066000) {  // jmp; jne jumps when the popped value is 0
            bool jump = word == 0x10064000 || Pop(m) == 0;
            next = jump ? static_cast<std::size_t>(operand(1)) : pc + 2;
        } else if (word == 0x10065000) {
            m.end = "ret";
            return m;
        } else if (word != 0x10022000 && word != 0) {  // clv and nop do nothing here
            std::ostringstream text;
            text << "unknown word " << std::hex << word;
            m.end = text.str();
            return m;
        }
        pc = next;
    }
}

std::string Describe(const Machine& m) {
    std::ostringstream text;
    auto list = [&](const char* name, const std::vector<std::int32_t>& values) {
        text << name << ":";
        for (std::int32_t v : values) text << ' ' << v;
        text << '\n';
    };
    list("stack", m.stack);
    list("locals", m.locals);
    list("statics", m.statics);
    list("effects", m.effects);
    text << "underflows: " << m.underflows << '\n';
    text << "end: " << m.end << '\n';
    return text.str();
}
