// The time picker's format: the user's time format less its seconds.
#include "scheduler/TimePickerFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(TimePickerFormat, SecondsAndTheirSeparatorGo)
{
    const struct {
        const char* format;
        const char* separator;
        const char* shown;
    } cases[] = {
        {"h:mm:ss tt", ":", "h:mm tt"},
        {"HH.mm.ss", ".", "HH.mm"},
        {"H:mm:s", ":", "H:mm"},
        {"h:mm:s tt", ":", "h:mm tt"},
        {"tt hh:mm:ss", ":", "tt hh:mm"},
        {"HH:mm:ss 'Uhr'", ":", "HH:mm 'Uhr'"},
        {"HH' h 'mm' min 'ss", "' min '", "HH' h 'mm"},   // a separator longer than one character
        // without seconds, or with seconds behind another separator, nothing changes
        {"HH:mm", ":", "HH:mm"},
        {"h:mm tt", ":", "h:mm tt"},
        {"HH:mm:ss", ".", "HH:mm:ss"},
        {"", ":", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_STREQ(c.shown, TimeFormatWithoutSeconds(c.format, c.separator));
    }
}

TEST(TimePickerFormat, OnlyTheFirstSecondsFieldGoes)
{
    EXPECT_STREQ("HH:mm tt:ss", TimeFormatWithoutSeconds("HH:mm:ss tt:ss", ":"));
    // "ss" wins over an earlier single "s"
    EXPECT_STREQ("H.s mm", TimeFormatWithoutSeconds("H.s mm.ss", "."));
}

TEST(TimePickerFormat, UserFormatKeepsHoursAndMinutes)
{
    char format[64] = "";
    char separator[64] = "";
    ASSERT_GT(::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format, sizeof(format)), 0);
    ASSERT_GT(::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, sizeof(separator)), 0);
    const CString shown = UserTimeFormatWithoutSeconds();
    SCOPED_TRACE(format);
    EXPECT_EQ(-1, shown.Find("s"));
    EXPECT_NE(-1, shown.Find("m"));
    EXPECT_EQ(CString(format).GetLength() - lstrlenA(separator) - 2, shown.GetLength());
}

}  // namespace
