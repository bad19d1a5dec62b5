// OptionSetting: one integer option of the profile (its section, key and default) bound to the
// member that holds it while the program runs. IsOptionOn: the test every user of an option makes.
#pragma once

struct OptionSetting {
    const char* section;
    const char* key;
    int defaultValue;
    int& member;
};

// An option is on only when it holds exactly 1; any other stored number leaves it off.
constexpr bool IsOptionOn(int option)
{
    return option == 1;
}
