#include "tests/cobrun/UnitRun.h"

#include "tests/kelc/CompileText.h"
#include "tests/support/AssembleText.h"

std::string CobOfKel(const std::string& source, const KelSettings& settings, std::string& problems) {
    kelc::TCompilerOptions options;
    options.MirroxCompatibility = settings.mirroxCompatibility;
    options.EnableZARNExtentions = settings.extensions;
    CompiledText compiled = CompileText(source, options);
    if (!compiled.success) {
        for (const std::string& message : compiled.messages) problems += message + "\n";
        return "";
    }
    std::string text;
    for (const std::string& line : compiled.assembly) text += line + "\n";
    AssembledText assembled = AssembleText(text, settings.optimize ? std::vector<std::string>{"-o1", "-t3"}
                                                                   : std::vector<std::string>{"-o0", "-t0"});
    if (!assembled.ok) problems += assembled.console;
    return assembled.cob;
}

std::string CobOfZarn(const std::string& text, std::string& problems) {
    AssembledText assembled = AssembleText(text, {"-o0", "-t0"});
    if (!assembled.ok) problems += assembled.console;
    return assembled.cob;
}

UnitRun RunCob(const std::string& cob, std::vector<cobrun::ScriptStart> starts, cobrun::RunOptions options) {
    UnitRun run;
    std::optional<cobrun::Unit> unit = cobrun::LoadUnit(cob, run.problems);
    if (!unit) return run;
    options.starts = {{"Create", 0, {}}};
    options.starts.insert(options.starts.end(), starts.begin(), starts.end());
    run.summary = cobrun::Run(*unit, options, [&](const cobrun::Event& event) {
        if (event.kind != cobrun::EventKind::kTrace && event.kind != cobrun::EventKind::kRest)
            run.lines.push_back(event.script + ": " + event.text);
    });
    return run;
}

UnitRun RunKel(const std::string& source, const KelSettings& settings, std::vector<cobrun::ScriptStart> starts) {
    std::string problems;
    const std::string cob = CobOfKel(source, settings, problems);
    if (cob.empty()) {
        UnitRun run;
        run.problems = problems.empty() ? "no COB image" : problems;
        return run;
    }
    return RunCob(cob, std::move(starts));
}
