// CByteArray: a growable array of bytes, owned by its creator.
#pragma once

#include "CObject.h"

#include <windows.h>

#include <vector>

class CByteArray : public CObject {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    int Add(BYTE item) { m_items.push_back(item); return GetSize() - 1; }
    void RemoveAll() { m_items.clear(); }
    void SetSize(int size) { m_items.resize(static_cast<size_t>(size)); }
    BYTE GetAt(int index) const { return m_items[static_cast<size_t>(index)]; }
    void SetAt(int index, BYTE item) { m_items[static_cast<size_t>(index)] = item; }
    BYTE& operator[](int index) { return m_items[static_cast<size_t>(index)]; }
    BYTE operator[](int index) const { return m_items[static_cast<size_t>(index)]; }
    const BYTE* GetData() const { return m_items.data(); }
    BYTE* GetData() { return m_items.data(); }

private:
    std::vector<BYTE> m_items;
};
