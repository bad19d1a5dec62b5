// The run mode is the whole command line, compared without regard to case.
#include "app/RunMode.h"

#include <gtest/gtest.h>

namespace {

TEST(RunMode, WholeCommandLineChoosesTheMode)
{
    struct Case { const char* commandLine; RunMode expected; };
    const Case cases[] = {
        {"/load", RunMode::Load},
        {"/LOAD", RunMode::Load},
        {"/Load", RunMode::Load},
        {"/clean", RunMode::Clean},
        {"/CLEAN", RunMode::Clean},
        {"/cLeAn", RunMode::Clean},
        {"/preview", RunMode::Preview},
        {"/PREVIEW", RunMode::Preview},
        {"/preview ", RunMode::Interactive},
        {"", RunMode::Interactive},
        {"/start", RunMode::Interactive},
        {"/clean ", RunMode::Interactive},
        {" /clean", RunMode::Interactive},
        {"/load /clean", RunMode::Interactive},
        {"-clean", RunMode::Interactive},
        {"clean", RunMode::Interactive},
        {"/cleanup", RunMode::Interactive},
        {"/loa", RunMode::Interactive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("command line \"") + c.commandLine + "\"");
        EXPECT_EQ(static_cast<int>(c.expected), static_cast<int>(RunModeFromCommandLine(c.commandLine)));
    }
}

TEST(RunMode, NoCommandLineIsInteractive)
{
    EXPECT_EQ(static_cast<int>(RunMode::Interactive), static_cast<int>(RunModeFromCommandLine(nullptr)));
}

}  // namespace
