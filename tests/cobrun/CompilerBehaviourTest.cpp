// The compiler's output checked by what it does: each script is compiled by kelc, assembled by
// zarn (without and with its optimizer) and run by cobrun's machine, all in memory. Every
// script gets the pieces base and turret and the statics a, b, c, d; a row names the statics'
// values after the run, or the events the scripts caused.
#include "tests/cobrun/UnitRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kPrelude = "piece base, turret;\nstatic-var a, b, c, d;\n";

struct StaticsCase {
    const char* what;
    const char* script;
    std::vector<std::int32_t> statics;  // a, b, c, d
};

struct EventsCase {
    const char* what;
    const char* script;
    std::vector<std::string> events;  // "Script: text", in order, every event but the rests
};

// Both assembler settings must give the same run: the optimizer may not change what code does.
void ExpectStatics(const std::vector<StaticsCase>& cases, KelSettings settings = {}) {
    for (bool optimize : {false, true}) {
        settings.optimize = optimize;
        for (const StaticsCase& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (optimize ? " (optimized)" : ""));
            UnitRun run = RunKel(std::string(kPrelude) + c.script, settings);
            ASSERT_EQ(run.problems, "");
            EXPECT_EQ(run.summary.statics, c.statics);
            EXPECT_EQ(run.summary.faults + run.summary.warnings, 0) << testing::PrintToString(run.lines);
        }
    }
}

void ExpectEvents(const std::vector<EventsCase>& cases) {
    for (const EventsCase& c : cases) {
        SCOPED_TRACE(c.what);
        UnitRun run = RunKel(std::string(kPrelude) + c.script);
        ASSERT_EQ(run.problems, "");
        EXPECT_EQ(run.lines, c.events);
    }
}

TEST(CompiledBehaviour, LoopsRunTheirBodiesTheRightNumberOfTimes) {
    ExpectStatics({
        {"while with continue and break",
         "Create() { var i; while (i < 10) { i = i + 1; if (i == 3) continue; if (i == 8) break; a = a + 1; } b = i; }",
         {6, 8, 0, 0}},
        {"while whose condition is false at once", "Create() { while (0) { a = 1; } b = 2; }", {0, 2, 0, 0}},
        {"do-while runs the body before the first test", "Create() { do { a = a + 1; } while (0); }", {1, 0, 0, 0}},
        {"do-while counts", "Create() { do { a = a + 1; } while (a < 5); }", {5, 0, 0, 0}},
        {"continue in a do-while tests the condition",
         "Create() { var i; do { i = i + 1; if (i < 3) continue; a = a + 1; } while (i < 5); b = i; }", {3, 5, 0, 0}},
        {"break in a do-while", "Create() { do { a = a + 1; if (a == 2) break; } while (1); }", {2, 0, 0, 0}},
        {"for counts and steps after the body",
         "Create() { var i; for (i = 0; i < 4; ++i) { a = a + 10; b = b + i; } c = i; }", {40, 6, 4, 0}},
        {"for steps by two", "Create() { var i; for (i = 1; i < 10; i = i + 2) { a = a + 1; } b = i; }", {5, 11, 0, 0}},
        {"continue in a for runs the step",
         "Create() { var i; for (i = 0; i < 5; ++i) { if (i == 2) continue; a = a + 1; } }", {4, 0, 0, 0}},
        {"break in a for skips the step", "Create() { var i; for (i = 0; i < 10; i++) { if (i == 3) break; a = a + 1; } b = i; }",
         {3, 3, 0, 0}},
        {"break leaves only the inner loop",
         "Create() { var i, j; for (i = 0; i < 3; ++i) { for (j = 0; j < 10; ++j) { if (j == 2) break; a = a + 1; } b = b + 1; } }",
         {6, 3, 0, 0}},
    });
}

TEST(CompiledBehaviour, InlinableFunctionsReturnTheirValuesWhereverTheyAreCalled) {
    ExpectStatics({
        {"called several times", "inline returns Twice(v) { return v + v; } Create() { a = Twice(3); b = Twice(a); c = Twice(1) + Twice(2); }",
         {6, 12, 6, 0}},
        {"early returns", "inline returns Clamp(v, low, high) { if (v < low) return low; if (v > high) return high; return v; }"
                          "Create() { a = Clamp(50, 0, 10); b = Clamp(0 - 5, 0, 10); c = Clamp(5, 0, 10); }",
         {10, 0, 5, 0}},
        {"nested", "inline returns Inc(v) { return v + 1; } inline returns IncTwice(v) { return Inc(Inc(v)); }"
                   "Create() { a = IncTwice(5); b = Inc(IncTwice(1)); }",
         {7, 4, 0, 0}},
        {"an argument that calls another function first",
         "inline returns Twice(v) { return v + v; } inline returns Diff(x, y) { return x - y; } Create() { a = Diff(Twice(5), 1); }",
         {9, 0, 0, 0}},
    });
}

TEST(CompiledBehaviour, CalledScriptsGetTheirArgumentsAndKeepTheCallersLocals) {
    ExpectStatics({
        {"arguments in order", "Store(x, y) { a = x; b = y; } Create() { call-script Store(3, 4); }", {3, 4, 0, 0}},
        {"computed arguments", "Store(x, y) { a = x; b = y; } Create() { var k; k = 2; call-script Store(k * 10, k + 1); }",
         {20, 3, 0, 0}},
        {"the callee's locals are its own",
         "Helper(x) { var k; k = 7; x = 99; a = x + k; } Create() { var k; k = 5; call-script Helper(k); b = k; }",
         {106, 5, 0, 0}},
        {"a started script runs with its arguments", "Worker(x, y) { a = x * y; } Create() { start-script Worker(6, 7); }",
         {42, 0, 0, 0}},
    });
}

TEST(CompiledBehaviour, OperatorsFollowTheirPrecedenceAndArithmetic) {
    ExpectStatics({
        {"arithmetic", "Create() { a = 2 + 3 * 4; b = 10 - 4 - 3; c = 0 - 5 - 2; d = (2 + 3) * 4; }", {14, 3, -7, 20}},
        {"comparisons and bitwise", "Create() { a = 3 < 4; b = 1 & 3 | 4; c = 6 ^ 3; d = 4 != 4; }", {1, 1, 5, 0}},
        {"increments", "Create() { a = 5; b = a++; c = ++a; d = a--; }", {6, 5, 7, 7}},
        {"compound assignments", "Create() { a = 10; a += 5; a *= 2; a -= 1; a /= 3; b = 6; b &= 3; c = 1; c |= 4; }",
         {9, 2, 5, 0}},
    });
}

TEST(CompiledBehaviour, LogicalOperatorsBindAsMirroxCompatibilitySays) {
    const char* script = "Create() { a = 1 || 0 && 0; b = !0; c = !5; d = 0 ^^ 1; }";
    KelSettings settings;
    settings.mirroxCompatibility = true;
    ExpectStatics({{"compatible: || binds tighter and ! is logical", script, {0, 1, 0, 1}}}, settings);
    settings.mirroxCompatibility = false;
    ExpectStatics({{"not compatible: && binds tighter and ! is bitwise", script, {1, -1, -6, 1}}}, settings);
}

TEST(CompiledBehaviour, ShiftsAndDivisionsComputeAsTheEngine) {
    ExpectStatics({
        {"shifts", "Create() { a = 1 << 4; b = (0 - 16) >> 2; c = 1 << 33; d = (0 - 1) >> 40; }", {16, -4, 2, -1}},
        {"constant divisions truncate towards zero", "Create() { a = 7 / 2; b = (0 - 7) / 2; c = 7 / (0 - 2); d = 8 / 4; }",
         {3, -3, -3, 2}},
        {"divisions of variables truncate towards zero",
         "Create() { var x; x = 0 - 7; a = x / 2; b = x * 4 / 8; c = x / (0 - 7); d = x / 8; }", {-3, -3, 1, 0}},
    });
}

TEST(CompiledBehaviour, StatementsUseTheirComputedOperands) {
    ExpectEvents({
        {"turn with speed", "Create() { turn turret to y-axis <45> + <45> speed <10> * 2; }",
         {"Create: begins ()", "Create: turn turret y-axis to 90.0 deg at 20.0 deg/s", "Create: ends, returning 0"}},
        {"move and move now", "Create() { var k; k = 2; move base to x-axis [1] * k speed [1] / 2; move turret to z-axis [0] - [1] now; }",
         {"Create: begins ()", "Create: move base x-axis to 5.00 at 1.25/s", "Create: move turret z-axis to -2.50 now",
          "Create: ends, returning 0"}},
        {"spin and stop-spin", "Create() { spin turret around z-axis speed <30> accelerate <1> + <1>; stop-spin turret around z-axis decelerate <5> * 2; }",
         {"Create: begins ()", "Create: spin turret z-axis at 30.0 deg/s, accelerating 2.0 deg/s2",
          "Create: stop-spin turret z-axis, decelerating 10.0 deg/s2", "Create: ends, returning 0"}},
        {"set, get and rand", "Create() { set 4 + 1 to 2 * 3; a = get 5; b = get 5(base); c = rand(3, 3); set 1 to a + b + c; }",
         {"Create: begins ()", "Create: set 5 to 6", "Create: set 1 to 15", "Create: ends, returning 0"}},
        {"explode, emit-sfx and sleep", "Create() { explode turret type 1 | 2; emit-sfx 1 + 1 from base; sleep 50 * 2; }",
         {"Create: begins ()", "Create: explode turret type 3", "Create: emit-sfx 2 from base", "Create: sleep 100 ms",
          "Create: ends, returning 0"}},
        {"attach and drop", "Create() { attach-unit 5 to 1 + 1; attach-unit 6; drop-unit 2 + 3; }",
         {"Create: begins ()", "Create: attach-unit 5 to piece 2", "Create: attach-unit 6 to piece -1", "Create: drop-unit 5",
          "Create: ends, returning 0"}},
        {"signals kill the other threads whose mask shares a bit",
         "Loop() { while (1) sleep 100; } Create() { set-signal-mask 1 | 4; start-script Loop(); set-signal-mask 2; "
         "start-script Loop(); sleep 50; signal 4; signal 2; }",
         {"Create: begins ()", "Create: set-signal-mask 5", "Create: start-script Loop() as #2", "Create: set-signal-mask 2",
          "Create: start-script Loop() as #3", "Create: sleep 50 ms", "Loop: sleep 100 ms", "Loop: sleep 100 ms",
          "Create: signal 4 kills #2 Loop", "Create: signal 2 kills #3 Loop", "Create: ends, returning 0"}},
    });
}

// Faults the compiler had, run on the real machine: a script ending in "hide turret" ran off its
// end, a statement call of an inlinable function left its value on the stack, a later inlined
// argument overwrote an earlier parameter, and a local named like a static wrote the static.
TEST(CompiledBehaviour, MendedCompilerFaultsStayMended) {
    ExpectStatics({
        {"a script ending with hide turret returns", "Create() { a = 1; hide turret; }", {1, 0, 0, 0}},
        {"call-script of an inlinable function leaves nothing",
         "inline returns Step() { a = a + 1; return a; } Create() { call-script Step(); call-script Step(); }", {2, 0, 0, 0}},
        {"a later inlined argument keeps the earlier parameters",
         "inline returns Sum(x, y) { return x + y; } Create() { a = Sum(1, Sum(2, 3)); }", {6, 0, 0, 0}},
        {"a local named like a static is the local", "Create() { var b; b = 7; a = b + 1; }", {8, 0, 0, 0}},
    });
}

}  // namespace
