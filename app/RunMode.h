// The run mode chosen by Dustora's command line.
#pragma once

enum class RunMode {
    Interactive,   // empty, or anything that is not exactly one of the switches
    Load,          // "/load": hidden in the notification area
    Clean,         // "/clean": one clean run, then close
    Preview,       // "/preview": one preview run, then the main window as usual
};

// The two switches the Run-key values of the Schedule dialog write, and the preview's.
constexpr char kLoadSwitch[] = "/load";
constexpr char kCleanSwitch[] = "/clean";
constexpr char kPreviewSwitch[] = "/preview";

// The whole command line is compared, without regard to case: "/clean " is interactive.
RunMode RunModeFromCommandLine(const char* commandLine);
