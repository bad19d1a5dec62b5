#include "support/DialogTemplate.h"

#include <cstring>

namespace {

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kListBoxAtom = 0x0083;

}  // namespace

DialogTemplate::DialogTemplate(const char* caption, DWORD style, short width, short height)
{
    DLGTEMPLATE header = {};
    header.style = style | DS_SETFONT;
    header.cx = width;
    header.cy = height;
    m_words.resize(sizeof(header) / sizeof(WORD));
    std::memcpy(m_words.data(), &header, sizeof(header));
    Word(0);   // no menu
    Word(0);   // the standard dialog class
    Text(caption);
    Word(8);
    Text("MS Sans Serif");
}

void DialogTemplate::Word(WORD value)
{
    m_words.push_back(value);
}

void DialogTemplate::Text(const char* text)
{
    for (const char* p = text; *p; ++p)
        Word(static_cast<unsigned char>(*p));
    Word(0);
}

// Each item starts on a DWORD boundary.
void DialogTemplate::Align()
{
    if (m_words.size() % 2)
        Word(0);
}

DialogTemplate& DialogTemplate::Add(WORD classAtom, int id, const char* text, DWORD style, short height)
{
    Align();
    DLGITEMTEMPLATE item = {};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = m_nextX;
    item.y = m_nextY;
    item.cx = m_nextWidth;
    item.cy = height ? height : m_nextHeight;
    item.id = static_cast<WORD>(id);
    m_nextY = static_cast<short>(m_nextY + item.cy + 2);
    const size_t at = m_words.size();
    m_words.resize(at + sizeof(item) / sizeof(WORD));
    std::memcpy(&m_words[at], &item, sizeof(item));
    Word(0xFFFF);
    Word(classAtom);
    Text(text);
    Word(0);   // no creation data

    DLGTEMPLATE header;
    std::memcpy(&header, m_words.data(), sizeof(header));
    ++header.cdit;
    std::memcpy(m_words.data(), &header, sizeof(header));
    return *this;
}

DialogTemplate& DialogTemplate::CheckBox(int id, const char* text, DWORD extraStyle)
{
    return Add(kButtonAtom, id, text, BS_AUTOCHECKBOX | WS_TABSTOP | extraStyle);
}

DialogTemplate& DialogTemplate::Radio(int id, const char* text, DWORD extraStyle)
{
    return Add(kButtonAtom, id, text, BS_AUTORADIOBUTTON | extraStyle);
}

DialogTemplate& DialogTemplate::Edit(int id, DWORD extraStyle)
{
    return Add(kEditAtom, id, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | extraStyle);
}

DialogTemplate& DialogTemplate::Button(int id, const char* text, DWORD extraStyle, short height)
{
    return Add(kButtonAtom, id, text, BS_PUSHBUTTON | WS_TABSTOP | extraStyle, height);
}

DialogTemplate& DialogTemplate::ListBox(int id, DWORD style, short height)
{
    return Add(kListBoxAtom, id, "", style | WS_BORDER | WS_VSCROLL | WS_TABSTOP, height);
}

DialogTemplate& DialogTemplate::Label(int id, const char* text, DWORD style)
{
    return Add(kStaticAtom, id, text, style);
}

DialogTemplate& DialogTemplate::At(short x, short y, short width, short height)
{
    m_nextX = x;
    m_nextY = y;
    m_nextWidth = width;
    m_nextHeight = height;
    return *this;
}

const DLGTEMPLATE* DialogTemplate::Get()
{
    return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
}
