// The command line: --help, --expert and the launcher keyword.
#include "shell/ui/CommandLine.h"

#include <gtest/gtest.h>

namespace tiravel {
namespace {

struct CommandLineCase {
    std::vector<std::string> arguments;
    bool help;
    bool expert;
    std::string launcher;
};

class CommandLineParse : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineParse, SeparatesOptionsFromTheLauncherArgument)
{
    const CommandLineCase& c = GetParam();
    const CommandLine line = CommandLine::parse(c.arguments);
    EXPECT_EQ(line.help, c.help);
    EXPECT_EQ(line.expertMode, c.expert);
    EXPECT_EQ(line.launcherArgument, c.launcher);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineParse,
    testing::Values(CommandLineCase{{}, false, false, ""}, CommandLineCase{{"sp"}, false, false, "sp"},
        CommandLineCase{{"--expert"}, false, true, ""}, CommandLineCase{{"--expert", "pv"}, false, true, "pv"},
        CommandLineCase{{"ev", "--expert"}, false, true, "ev"}, CommandLineCase{{"ti", "me"}, false, false, "ti"},
        CommandLineCase{{"--help"}, true, false, ""}, CommandLineCase{{"-h", "sp"}, true, false, "sp"},
        CommandLineCase{{"EXPERT"}, false, false, "EXPERT"}));

TEST(CommandLine, CutsTheLauncherArgumentTo250Bytes)
{
    const std::string longArgument = std::string(249, 'a') + "éz";
    EXPECT_EQ(CommandLine::parse({longArgument}).launcherArgument, std::string(249, 'a'));
}

TEST(CommandLine, UsageListsTheOptionsAndEveryKeyword)
{
    const std::string usage = CommandLine::usage();
    for (const char* word : {"--expert", "--help", "  sp ", "  pv ", "  ev ", "  ti ", "  me "})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
}

} // namespace
} // namespace tiravel
