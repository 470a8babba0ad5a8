#include "bench/ZarnInputGenerator.h"

std::string GenerateZarnText(long lines) {
    std::string text = "piece base, turret, barrel, flare;\r\nstatic-var busy, heading, speed;\r\n";
    const long procedureLines = 24;
    for (long p = 0; p * procedureLines < lines; ++p) {
        const std::string n = std::to_string(p);
        text += "proc Script" + n + "\r\nargs angle;\r\nvar count, step;\r\nbeginproc\r\n";
        text += "  // turn the turret\r\n";
        text += "  pushl angle;\r\n  pushc 90n;\r\n  add;\r\n  popl step;\r\n";
        text += "  pushl step;\r\n  turn;\r\n  ddw turret;\r\n  ddw y-axis;\r\n";
        text += "ConditionLabel_" + n + ":\r\n";
        text += "  pushl count;\r\n  pushc 10;\r\n  setl;\r\n  jnz TerminatorLabel_" + n + ";\r\n";
        text += "  pushc 2.5l;\r\n  pushs speed;\r\n  mul;\r\n  pops speed;\r\n";
        text += "  jmp ConditionLabel_" + n + ";\r\n";
        text += "TerminatorLabel_" + n + ":\r\n  ret;\r\nendproc;\r\n";
    }
    return text;
}
