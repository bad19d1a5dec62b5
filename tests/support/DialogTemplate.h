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
    DialogTemplate& Button(int id, const char* text, DWORD extraStyle = 0);
    DialogTemplate& Label(int id, const char* text, DWORD style = SS_LEFT);
    // Where and how big the next control is (dialog units); each control moves the next one down.
    DialogTemplate& At(short x, short y, short width, short height);

    const DLGTEMPLATE* Get();

private:
    DialogTemplate& Add(WORD classAtom, int id, const char* text, DWORD style);
    void Align();
    void Word(WORD value);
    void Text(const char* text);

    std::vector<WORD> m_words;
    short m_nextX = 4;
    short m_nextY = 4;
    short m_nextWidth = 120;
    short m_nextHeight = 12;
};
