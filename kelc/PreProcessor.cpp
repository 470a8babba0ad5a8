#include "kelc/PreProcessor.h"

#include <new>

namespace kelc {
namespace {

// Leading and trailing characters of code 32 or below removed.
std::string Trim(const std::string& text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t first = 0, last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// Letters a to z in upper case; nothing else changes.
std::string UpperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string PositionPrefix(const std::string& fileName, std::int32_t line, std::int32_t column) {
    return "\"" + fileName + "\"(" + std::to_string(line) + ":" + std::to_string(column) + ") : ";
}

}  // namespace

// ---- conditional states ----

TPreProcessorDefineState& TPreProcessorDefineStates::Push() {
    items_.push_back(std::make_unique<TPreProcessorDefineState>());
    return *items_.back();
}

void TPreProcessorDefineStates::Delete(std::size_t index) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TPreProcessor::Clear() {
    defines_.Clear();
    defineObjects_.clear();
    LineInfos.Clear();
    MainText.clear();
}

void TPreProcessor::Define(const std::string& name, const std::string& value) {
    if (TPreProcessorDefine* existing = defines_.Find(name)) existing->value = value;
    else Enter(name, Trim(value));
}

void TPreProcessor::Enter(const std::string& name, const std::string& value) {
    defineObjects_.push_back(std::make_unique<TPreProcessorDefine>(TPreProcessorDefine{name, value}));
    defines_.Add(name, defineObjects_.back().get());
}

void TPreProcessor::Undefine(const std::string& name) {
    // The definition itself stays with the others until Clear, so that undef costs no search.
    defines_.Remove(name);
}

void TPreProcessor::Preprocess(const std::string& fileName, std::string& output) {
    offsetAdjust_ = 0;
    defines_.Clear();
    defineObjects_.clear();
    for (const auto& [name, value] : PredefinedDefines) Enter(name, value);
    std::string out;
    try {
        ProcessFile(0, std::string(), out, fileName);
    } catch (...) {
        output = std::move(out);  // a failed run still delivers what it produced
        throw;
    }
    output = std::move(out);
    if (States.Count() > 0) throw EPreProcessorError("Define not closed");
}

void TPreProcessor::ProcessFile(int depth, const std::string& includingFileName, std::string& out, std::string fileName) {
    if (depth > MaxIncludeDepth)
        throw EPreProcessorError("Too many nested include files while processing " + fileName + " from " + includingFileName);
    std::string included;  // an included file's text; the main text is read where it is
    if (fileName != MainFileName && (!OnIncludeFile || !OnIncludeFile(*this, includingFileName, included, fileName)))
        throw EPreProcessorError("Unable to find file '" + fileName + "'");

    const int entry = static_cast<int>(LineInfos.Count());
    TLineInfo& info = LineInfos.Add();
    info.startPos = static_cast<std::int32_t>(out.size());
    info.fileName = fileName;
    LineInfos.SetCurrent(entry);

    TPreProcessorParser parser;
    parser.OnNewLine = [this](TPreProcessorParser&, std::int32_t, std::int32_t, std::int32_t offset) { RecordLineStart(offset); };
    parser.OnIdentifier = [this](TPreProcessorParser&, std::string_view identifier, std::string& replacement) {
        return SubstituteIdentifier(identifier, replacement);
    };
    parser.SetText(fileName == MainFileName ? std::string_view(MainText) : std::string_view(included));
    // Text that stays as it is goes to the output in stretches, not token by token.
    std::size_t copyFrom = 0, copyTo = 0;
    auto copyStretch = [&] {
        out.append(parser.Text().substr(copyFrom, copyTo - copyFrom));
        copyFrom = copyTo;
    };
    try {
        while (parser.TokenType() != ptEndOfText) {
            const bool directive = parser.TokenType() == ptDirective;
            const std::string_view token = parser.TokenText();
            const auto at = static_cast<std::size_t>(parser.TokenPos());
            if (!directive && States.IsActive() && token.data() == parser.Text().data() + at) {
                if (at != copyTo) {
                    copyStretch();
                    copyFrom = at;
                }
                copyTo = at + token.size();
            } else {
                copyStretch();
                if (directive) CarryOutDirective(parser, depth, fileName, entry, out);
                if (directive || !States.IsActive()) out.append(parser.TokenText().size(), ' ');
                else out += parser.TokenText();
            }
            parser.Next();
        }
        copyStretch();
        info.endPos = static_cast<std::int32_t>(out.size());
    } catch (const std::bad_alloc&) {
        throw;  // running out of memory ends the program, not only this step
    } catch (const std::exception& error) {
        copyStretch();
        info.endPos = static_cast<std::int32_t>(out.size()) + 1;
        throw EPreProcessorError(PositionPrefix(fileName, parser.Line(), parser.Column()) + error.what());
    }
}

void TPreProcessor::CarryOutDirective(TPreProcessorParser& parser, int depth, const std::string& fileName, int entry,
                                      std::string& out) {
    const std::string body(parser.TokenText().substr(1));
    std::string name, argument;
    std::size_t blank = body.find_first_of(" \t");
    if (blank == std::string::npos) {
        name = Trim(body);
    } else {
        name = body.substr(0, blank);  // not trimmed: "# include" has an empty name
        argument = Trim(body.substr(blank + 1));
    }

    if (name == "include") {
        if (!States.IsActive()) return;
        offsetAdjust_ = 0;
        std::string includeName = argument;
        if (includeName.size() >= 2 && includeName.front() == '"' && includeName.back() == '"')
            includeName = includeName.substr(1, includeName.size() - 2);
        ProcessFile(depth + 1, fileName, out, includeName);
        LineInfos.SetCurrent(entry);
        offsetAdjust_ = (static_cast<std::int32_t>(out.size()) - LineInfos.Items(entry).startPos) - parser.TokenPos();
    } else if (name == "define") {
        std::size_t split = argument.find_first_of(" \t");
        if (split == std::string::npos) Define(argument, std::string());
        else Define(argument.substr(0, split), Trim(argument.substr(split + 1)));
    } else if (name == "undef") {
        Undefine(argument);
    } else if (name == "ifdef") {
        // Upper case on purpose: "#ifdef debug" tests DEBUG, as existing scripts expect.
        States.Push().sectionActive = defines_.Contains(UpperCase(argument));
    } else if (name == "ifndef") {
        States.Push().sectionActive = !defines_.Contains(UpperCase(argument));
    } else if (name == "endif") {
        if (States.Count() == 0) throw EPreProcessorError("No #ifdef for #endif");
        States.Delete(States.Count() - 1);
    } else if (name == "else") {
        if (States.Count() == 0) throw EPreProcessorError("No #ifdef for #else");
        TPreProcessorDefineState& state = States.Items(States.Count() - 1);
        if (state.elseSeen) throw EPreProcessorError("Can't use #else twice");
        state.elseSeen = true;
        state.sectionActive = !state.sectionActive;
    } else {
        DirectiveOrigin = PositionPrefix(fileName, parser.Line(), parser.Column());
        bool handled = OnOtherDirective ? OnOtherDirective(*this, name, argument) : true;
        if (!handled) throw EPreProcessorError("Unknown compiler directives : " + name);
    }
}

void TPreProcessor::RecordLineStart(std::int32_t offset) {
    if (TLineInfo* current = LineInfos.CurrentItem()) current->lineStarts.push_back(offset + offsetAdjust_);
}

bool TPreProcessor::SubstituteIdentifier(std::string_view identifier, std::string& replacement) {
    const TPreProcessorDefine* define = defines_.Find(identifier);
    if (define == nullptr) return false;
    replacement = define->value;
    offsetAdjust_ += static_cast<std::int32_t>(define->value.size()) - static_cast<std::int32_t>(identifier.size());
    return true;
}

}  // namespace kelc
