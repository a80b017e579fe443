#include "shell/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using kv::ReadCommandLine;
using kv::StartAction;

TEST(CommandLine, NoArgumentsPlays) { EXPECT_EQ(ReadCommandLine({}).Action, StartAction::Play); }

TEST(CommandLine, HelpShowsTheUsageAndTheKeys)
{
    const auto help = ReadCommandLine({"--help"});
    EXPECT_EQ(help.Action, StartAction::ShowHelp);
    for (const char* part : {"Usage: kvspace", "--version", "KVSPACE_DATA", "F1 star map", "fires", "Alt+Enter",
                             "F11", "F10", "Ctrl+=", "Ctrl+-", "Pause pauses", "settings.ini"})
        EXPECT_NE(help.Text.find(part), std::string::npos) << part;
    EXPECT_EQ(ReadCommandLine({"-h"}).Action, StartAction::ShowHelp);
    // It fits a terminal of 80 columns.
    for (std::size_t start = 0, end; start < help.Text.size(); start = end + 1) {
        end = help.Text.find('\n', start);
        EXPECT_LE(end - start, 80u) << help.Text.substr(start, end - start);
    }
}

TEST(CommandLine, VersionIsOneLine)
{
    const auto version = ReadCommandLine({"--version"});
    EXPECT_EQ(version.Action, StartAction::ShowVersion);
    EXPECT_EQ(version.Text.rfind("kvspace ", 0), 0u);
    EXPECT_EQ(version.Text.find('\n'), version.Text.size() - 1);
}

TEST(CommandLine, AnythingElseIsRefusedWithAHint)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"--fullscreen"}, {"save1"}, {"--help", "--version"}}) {
        const auto refused = ReadCommandLine(arguments);
        EXPECT_EQ(refused.Action, StartAction::Refuse);
        EXPECT_NE(refused.Text.find("kvspace --help"), std::string::npos);
    }
    EXPECT_NE(ReadCommandLine({"--fullscreen"}).Text.find("'--fullscreen'"), std::string::npos);
}

}  // namespace
