#include "scheduler/TimePickerFormat.h"

#include <windows.h>

namespace {

// Deletes the first occurrence of field; TRUE when there was one.
BOOL DeleteFirst(CString& text, const CString& field)
{
    const int at = text.Find(field);
    if (at < 0)
        return FALSE;
    text = text.Left(at) + text.Mid(at + field.GetLength());
    return TRUE;
}

CString LocaleText(LCTYPE item)
{
    char buffer[64] = "";
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof(buffer));
    return CString(buffer);
}

}  // namespace

CString TimeFormatWithoutSeconds(const char* format, const char* separator)
{
    CString result(format);
    const CString before(separator);
    if (!DeleteFirst(result, before + "ss"))
        DeleteFirst(result, before + "s");
    return result;
}

CString UserTimeFormatWithoutSeconds()
{
    return TimeFormatWithoutSeconds(LocaleText(LOCALE_STIMEFORMAT), LocaleText(LOCALE_STIME));
}
