#pragma once
// TPreProcessor turns the main source text and every file it includes into
// the one text the scanner reads. It carries out include, define, undef, ifdef, ifndef, else and
// endif, hands any other directive to its owner (OnOtherDirective), replaces defined names by
// their values and blanks out inactive sections. Directives and inactive text become as many
// blanks as they had characters; LineInfos maps every output offset back to file, line, column.
#include "kelc/CaseSensitiveStringList.h"
#include "kelc/LineInfo.h"
#include "kelc/PreProcessorParser.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelc {

class EPreProcessorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TPreProcessorDefine {
    std::string name;
    std::string value;  // the replacement text
};

// One open conditional section; whoever pushes it sets sectionActive.
struct TPreProcessorDefineState {
    bool elseSeen = false;
    bool sectionActive = false;
};

// The open conditional sections, innermost last.
class TPreProcessorDefineStates {
public:
    TPreProcessorDefineState& Push();
    void Delete(std::size_t index);
    std::size_t Count() const { return items_.size(); }
    TPreProcessorDefineState& Items(std::size_t index) { return *items_[index]; }
    // True when nothing is open, else the innermost section's flag alone.
    bool IsActive() const { return items_.empty() || items_.back()->sectionActive; }

private:
    std::vector<std::unique_ptr<TPreProcessorDefineState>> items_;
};

class TPreProcessor {
public:
    // Given the preprocessor, the including file's name, the text to fill in and the file name
    // (which the hook may change); true when the text was filled in.
    using TIncludeFileEvent = std::function<bool(TPreProcessor&, const std::string& includingFileName, std::string& text,
                                                 std::string& fileName)>;
    // Given the preprocessor, a directive's name and its argument; true when handled.
    using TOtherDirectiveEvent = std::function<bool(TPreProcessor&, const std::string& name, const std::string& argument)>;

    TPreProcessor() = default;
    TPreProcessor(const TPreProcessor&) = delete;
    TPreProcessor& operator=(const TPreProcessor&) = delete;

    std::string MainText;
    // A file of this name (exact comparison) is taken from MainText instead of OnIncludeFile.
    std::string MainFileName;
    std::int32_t MaxIncludeDepth = 20;
    // Name to value; copied into the define table at the start of every run.
    std::map<std::string, std::string> PredefinedDefines;
    TIncludeFileEvent OnIncludeFile;
    TOtherDirectiveEvent OnOtherDirective;
    // '"file"(line:column) : ' of the directive OnOtherDirective is handling, for its messages.
    std::string DirectiveOrigin;
    // Filled during a run; stays filled for the position lookups that follow it.
    TLineInfoList LineInfos;
    // The open conditional sections. Not reset by Clear or Preprocess: an object serves one run.
    TPreProcessorDefineStates States;

    // Empties the define table, the line infos and MainText (not the conditional stack).
    void Clear();
    // Replaces an existing definition's value, or enters a new one with the value trimmed.
    void Define(const std::string& name, const std::string& value);
    void Undefine(const std::string& name);
    const TCaseSensitiveStringList<TPreProcessorDefine>& Defines() const { return defines_; }

    // Processes the file (MainText when fileName equals MainFileName) into `output`. Raises
    // EPreProcessorError; `output` then still holds what was produced up to the error.
    void Preprocess(const std::string& fileName, std::string& output);

private:
    void ProcessFile(int depth, const std::string& includingFileName, std::string& out, std::string fileName);
    void CarryOutDirective(TPreProcessorParser& parser, int depth, const std::string& fileName, int entry, std::string& out);
    // A new definition, its value taken as it is.
    void Enter(const std::string& name, const std::string& value);
    void RecordLineStart(std::int32_t offset);
    bool SubstituteIdentifier(std::string_view identifier, std::string& replacement);

    std::int32_t offsetAdjust_ = 0;  // output offset minus input offset, for the current file
    std::vector<std::unique_ptr<TPreProcessorDefine>> defineObjects_;  // every definition until Clear
    TCaseSensitiveStringList<TPreProcessorDefine> defines_;
};

}  // namespace kelc
