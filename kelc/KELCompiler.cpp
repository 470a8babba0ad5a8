// The compile run of one file: preprocess, scan, compile the program, then the closing comments;
// diagnostics with positions mapped back to the file and line where the token was written.
#include "kelc/KELCompiler.h"

#include "kelc/CommandLine.h"
#include "kelc/CompileError.h"
#include "kelc/FileHandling.h"
#include "kelc/FileNames.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <new>

namespace kelc {
namespace {

const char* SeverityText(TSeverity severity) {
    switch (severity) {
        case svWarning: return "Warning";
        case svError: return "Error";
        case svFatalError: return "Fatal Error";
        default: return "";
    }
}

// Two significant digits in scientific form without exponent padding, such as 1.2E-2.
std::string ScientificSeconds(double seconds) {
    char mantissa[32];
    int exponent = 0;
    if (seconds > 0) {
        exponent = static_cast<int>(std::floor(std::log10(seconds)));
        double scaled = seconds / std::pow(10.0, exponent);
        if (std::round(scaled * 10) >= 100) {  // 9.96 rounds up to 10.0
            scaled /= 10;
            ++exponent;
        }
        std::snprintf(mantissa, sizeof mantissa, "%.1f", scaled);
    } else {
        std::snprintf(mantissa, sizeof mantissa, "0.0");
    }
    return std::string(mantissa) + "E" + (exponent < 0 ? "-" : "+") + std::to_string(std::abs(exponent));
}

}  // namespace

TKELCompiler::TKELCompiler(std::string sourceFileName, std::string asmFileName, const TCompilerOptions& options,
                           std::string& preprocessorOutput, std::string& asmOutput, std::string source)
    : source_(std::move(source)),
      asmOutput_(asmOutput),
      preprocessorOutput_(preprocessorOutput),
      globalScope_(std::make_unique<TGobalIdentScope>()),
      asmFileName_(std::move(asmFileName)),
      sourceFileName_(std::move(sourceFileName)),
      enableExtensions_(options.EnableZARNExtentions),
      autoEmitLastRet_(options.AutoEmitLastRet),
      mirroxCompatibility_(options.MirroxCompatibility),
      operatorLevels_(OperatorLevels(options.MirroxCompatibility, options.EnableZARNExtentions)) {
    static const std::pair<const char*, std::int32_t> kPredefined[] = {
        {"TRUE", 1}, {"FALSE", 0}, {"true", 1}, {"false", 0}, {"x-axis", 0}, {"y-axis", 1}, {"z-axis", 2},
    };
    for (const auto& [name, value] : kPredefined) globalScope_->AddIdent(name, ikConstant).Value = value;
    currentScope_ = globalScope_.get();
    if (options.TrackLineOrigins) {
        originTags_.emplace();
        echoTag_ = [this] { return scanner_ ? OriginTag(scanner_->CurrentToken()) : std::string(); };
        globalScope_->EchoTag = &echoTag_;
    }
    preprocessor_ = std::make_unique<TPreProcessor>();
    preprocessor_->OnIncludeFile = [this](TPreProcessor&, const std::string&, std::string& text,
                                          std::string& fileName) { return OnIncludeFile(text, fileName); };
    preprocessor_->OnOtherDirective = [this](TPreProcessor& preprocessor, const std::string& name,
                                             const std::string& argument) {
        return OnOtherDirective(preprocessor, name, argument);
    };
    Compile();
    asmOutput_ = globalScope_->Lines.TakeText();
    if (originTags_) LineOrigins = originTags_->Strip(asmOutput_);
}

TKELCompiler::~TKELCompiler() = default;

void TKELCompiler::Compile() {
    const auto start = std::chrono::steady_clock::now();
    try {
        preprocessor_->PredefinedDefines = CommandLineDefines;
        preprocessor_->MainFileName = sourceFileName_;
        preprocessor_->MainText = WithCrLfLineEnds(std::exchange(source_, {}));
        std::string text;
        try {
            preprocessor_->Preprocess(sourceFileName_, text);
        } catch (...) {
            preprocessorOutput_ = WithCrLfLineEnds(text);  // what was produced up to the error
            throw;
        }
        preprocessorOutput_ = WithCrLfLineEnds(text);
        std::string().swap(preprocessor_->MainText);  // read by the run alone
        // The assembly text is a few times the script. Room for all of it spares copying it as
        // it grows, and the pages of the room that are never written take no memory.
        const std::size_t expected = 6 * text.size();
        globalScope_->Lines.Reserve(expected, expected / 16);
        scanner_ = std::make_unique<TScanner>(
            std::move(text), [this](TScanner&, TTokenData& token) { OnPosition(token); },
            [this](std::string_view word, TTokenType& kind) { return OnLookupSymbol(word, kind); });
        CompileProgram();
    } catch (const std::bad_alloc&) {
        throw;  // running out of memory ends the program, not only this step
    } catch (const std::exception& error) {
        AddMessage(svFatalError, error.what(), false);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    currentScope_->EmitComment("Compile time  : " + ScientificSeconds(seconds) + " seconds.");
    Success = Messages.empty();
    if (!Success) {
        AddMessage(svFatalError, "Could not compile dependant file.", false);
        currentScope_->EmitComment("Errors in source code");
        for (const std::string& message : Messages) currentScope_->EmitComment(message);
    }
}

void TKELCompiler::AddMessage(TSeverity severity, const std::string& text, bool raiseOnFatal) {
    Success = false;
    std::string line;
    if (scanner_ && preprocessor_) {
        const TTokenData& token = scanner_->CurrentToken();
        line = std::string("[") + SeverityText(severity) + "] \"" + token.fileName + "\"(" +
               std::to_string(token.line) + ":" + std::to_string(token.column) + ") : " + text;
    } else {
        line = std::string("[") + SeverityText(severity) + "] : " + directiveOrigin_ + text;
    }
    Messages.push_back(line);
    if (severity == svFatalError && raiseOnFatal) throw ECompileError(line);
}

bool TKELCompiler::OnIncludeFile(std::string& text, std::string& fileName) {
    std::string found = FindFile(fileName);
    if (found.empty()) return false;
    text = LoadTextFile(found);
    fileName = UserFileName(found);
    IncludedFiles.push_back(fileName);
    return true;
}

bool TKELCompiler::OnOtherDirective(TPreProcessor& preprocessor, const std::string& name, const std::string& argument) {
    if (name != "if") return false;
    // No scanner places messages yet: they name the directive.
    directiveOrigin_ = preprocessor.DirectiveOrigin;
    struct ClearOnExit {
        std::string& text;
        ~ClearOnExit() { text.clear(); }
    } clear{directiveOrigin_};
    std::int32_t value = EvaluateConstExpression(argument);
    preprocessor.States.Push().sectionActive = value != 0;
    return true;
}

bool TKELCompiler::OnLookupSymbol(std::string_view text, TTokenType& kind) {
    // The scanner splits a dashed word it is not told of; a word without a dash is an identifier
    // either way, so it need not be looked up.
    if (text.find('-') == std::string_view::npos) return false;
    if (currentScope_ == nullptr || !currentScope_->MayName(text.size())) return false;
    bool namesScope = false;
    if (currentScope_->FindIdent(text, namesScope) == nullptr) return false;
    kind = ttIdentifier;
    return true;
}

void TKELCompiler::OnPosition(TTokenData& token) { PlaceToken(preprocessor_->LineInfos, token); }

}  // namespace kelc
