// DialogTemplate: a dialog template built in memory, for tests that need controls of their own.
// Sizes are dialog units; the dialog uses "MS Sans Serif" 8 pt like the program's templates.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DialogTemplate {
public:
    DialogTemplate(const char* caption, DWORD style, short width, short height);

    DialogTemplate& CheckBox(int id, const char* text, DWORD extraStyle = 0);
    DialogTemplate& Radio(int id, const char* text, DWORD extraStyle = 0);   // WS_GROUP starts a group
    DialogTemplate& Edit(int id, DWORD extraStyle = 0);
    DialogTemplate& Button(int id, const char* text, DWORD extraStyle = 0, short height = 12);
    DialogTemplate& ListBox(int id, DWORD style, short height);
    DialogTemplate& Label(int id, const char* text, DWORD style = SS_LEFT);
    // Where the next control goes and how big it is (dialog units); each control moves the next
    // one down. A height given to Button or ListBox wins over this one.
    DialogTemplate& At(short x, short y, short width, short height);

    const DLGTEMPLATE* Get();

private:
    // height 0: the height of the last At, 12 without one.
    DialogTemplate& Add(WORD classAtom, int id, const char* text, DWORD style, short height = 0);
    void Align();
    void Word(WORD value);
    void Text(const char* text);

    std::vector<WORD> m_words;
    short m_nextX = 4;
    short m_nextY = 4;
    short m_nextWidth = 120;
    short m_nextHeight = 12;
};
