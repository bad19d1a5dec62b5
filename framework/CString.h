// CString: an owned ANSI string with the MFC-shaped operations the program uses.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}   // NOLINT: implicit like MFC
    CString(const char* text, int length) : m_text(text ? text : "", text ? length : 0) {}
    CString(char ch, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, ch) {}
    CString(const std::string& text) : m_text(text) {}         // NOLINT

    operator const char*() const { return m_text.c_str(); }  // NOLINT: LPCSTR like MFC
    const char* GetString() const { return m_text.c_str(); }
    const std::string& Str() const { return m_text; }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const { return m_text[static_cast<size_t>(index)]; }
    // The last character, or 0 for an empty string.
    char Last() const { return m_text.empty() ? '\0' : m_text.back(); }

    CString& operator=(const char* text) { m_text = text ? text : ""; return *this; }
    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const char* text) { if (text) m_text += text; return *this; }
    CString& operator+=(char ch) { m_text += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const char* b) { return a + CString(b); }
    friend CString operator+(const char* a, const CString& b) { return CString(a) + b; }
    friend CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

    int Compare(const char* text) const { return lstrcmpA(m_text.c_str(), text ? text : ""); }
    int CompareNoCase(const char* text) const { return lstrcmpiA(m_text.c_str(), text ? text : ""); }

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first, int count = -1) const;
    int Find(const char* sub, int start = 0) const;
    int Find(char ch, int start = 0) const;
    int ReverseFind(char ch) const;
    int Replace(const char* from, const char* to);
    void MakeUpper();
    void MakeLower();

    // A writable buffer of at least minLength characters plus the terminator;
    // ReleaseBuffer takes the text up to its first zero (or newLength characters).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    // Loads a string table entry of the running module; FALSE leaves the text empty.
    BOOL LoadString(UINT id);
    void Format(const char* format, ...);
    void FormatV(const char* format, va_list args);

private:
    std::string m_text;
};
