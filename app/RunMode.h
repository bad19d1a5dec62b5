// The run mode chosen by Dustora's command line.
#pragma once

enum class RunMode {
    Interactive,   // empty, or anything that is not exactly one of the two switches
    Load,          // "/load": hidden in the notification area
    Clean,         // "/clean": one clean run, then close
};

// The two switches, as the Run-key values of the Schedule dialog write them.
constexpr char kLoadSwitch[] = "/load";
constexpr char kCleanSwitch[] = "/clean";

// The whole command line is compared, without regard to case: "/clean " is interactive.
RunMode RunModeFromCommandLine(const char* commandLine);
