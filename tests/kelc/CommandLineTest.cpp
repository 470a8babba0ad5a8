#include "kelc/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

kelc::KelcOptions Parsed(const Args& args) {
    std::string error;
    std::optional<kelc::KelcOptions> options = kelc::ParseKelcCommandLine(args, error);
    EXPECT_TRUE(options.has_value()) << error;
    return options.value_or(kelc::KelcOptions());
}

std::string Refused(const Args& args) {
    std::string error;
    EXPECT_FALSE(kelc::ParseKelcCommandLine(args, error).has_value());
    return error;
}

TEST(KelcCommandLine, OptionsTakeTheirValuesJoinedOrSeparate) {
    kelc::KelcOptions options = Parsed({"-I", "inc", "-Ilib", "-D", "A=2", "-DB", "--outdir=out", "--settings",
                                        "my.ini", "-o", "arm.cob", "-MF", "arm.dep", "arm.kel"});
    EXPECT_EQ(options.includeDirectories, (Args{"inc", "lib"}));
    EXPECT_EQ(options.defines, (std::map<std::string, std::string>{{"A", "2"}, {"B", "1"}}));
    EXPECT_EQ(options.outputDirectory, "out");
    EXPECT_EQ(options.settingsFile, "my.ini");
    EXPECT_EQ(options.cobFile, "arm.cob");
    EXPECT_EQ(options.depFile, "arm.dep");
    EXPECT_TRUE(options.writeDepFile);  // -MF implies a make rule
    EXPECT_EQ(options.sources, (Args{"arm.kel"}));
}

TEST(KelcCommandLine, SwitchesAndSourcesInAnyOrder) {
    kelc::KelcOptions options = Parsed({"a.kel", "--no-assemble", "-q", "b.kel", "--no-pause", "--diagnostics=gnu",
                                        "-MD", "-D", "EMPTY=", "-"});
    EXPECT_TRUE(options.noAssemble && options.quiet && options.noPause && options.gnuDiagnostics && options.writeDepFile);
    EXPECT_EQ(options.defines.at("EMPTY"), "");
    EXPECT_EQ(options.sources, (Args{"a.kel", "b.kel", "-"}));  // a lone "-" was always a name
    EXPECT_TRUE(Parsed({"--quiet"}).quiet);
    EXPECT_TRUE(Parsed({"--help"}).help);
    EXPECT_TRUE(Parsed({"--version"}).version);
}

TEST(KelcCommandLine, BadCommandLinesSayWhy) {
    EXPECT_EQ(Refused({"--bogus", "a.kel"}), "Unknown option --bogus");
    EXPECT_EQ(Refused({"--settingsfile", "a.kel"}), "Unknown option --settingsfile");
    EXPECT_EQ(Refused({"a.kel", "-I"}), "Option -I needs a value");
    EXPECT_EQ(Refused({"--outdir=", "a.kel"}), "Option --outdir needs a value");
    EXPECT_EQ(Refused({"-D", "=3", "a.kel"}), "Option -D needs a name");
    EXPECT_EQ(Refused({"-o", "x.cob", "a.kel", "b.kel"}), "Option -o names one COB file, so it takes one source only");
    EXPECT_EQ(Refused({"-MF", "x.d", "a.kel", "b.kel"}), "Option -MF names one file, so it takes one source only");
}

}  // namespace
