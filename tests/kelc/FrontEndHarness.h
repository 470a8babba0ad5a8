#pragma once
// Owner hooks for driving the preprocessor outside the compiler (golden tests, bad-input tests,
// the fuzz target): include files served from memory, and an "if" directive that takes "0" as
// false and anything else as true; every other unknown directive is refused.
#include "kelc/PreProcessor.h"

#include <map>
#include <string>

namespace harness {

using Files = std::map<std::string, std::string>;

// `files` must outlive the preprocessor's runs.
inline void ServeIncludeFiles(kelc::TPreProcessor& preprocessor, const Files& files) {
    preprocessor.OnIncludeFile = [&files](kelc::TPreProcessor&, const std::string&, std::string& text,
                                          std::string& fileName) {
        auto file = files.find(fileName);
        if (file == files.end()) return false;
        text = file->second;
        return true;
    };
}

inline void TakeIfZeroAsFalse(kelc::TPreProcessor& preprocessor) {
    preprocessor.OnOtherDirective = [](kelc::TPreProcessor& owner, const std::string& name, const std::string& argument) {
        if (name != "if") return false;
        owner.States.Push().sectionActive = argument != "0";
        return true;
    };
}

}  // namespace harness
