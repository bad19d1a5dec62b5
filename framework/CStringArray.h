// CStringArray: a growable array of strings, owned by its creator.
#pragma once

#include "CObject.h"
#include "CString.h"

#include <vector>

class CStringArray : public CObject {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    int Add(const CString& item) { m_items.push_back(item); return GetSize() - 1; }
    void RemoveAll() { m_items.clear(); }
    void RemoveAt(int index) { m_items.erase(m_items.begin() + index); }
    void SetSize(int size) { m_items.resize(static_cast<size_t>(size)); }
    const CString& GetAt(int index) const { return m_items[static_cast<size_t>(index)]; }
    void SetAt(int index, const CString& item) { m_items[static_cast<size_t>(index)] = item; }
    CString& operator[](int index) { return m_items[static_cast<size_t>(index)]; }
    const CString& operator[](int index) const { return m_items[static_cast<size_t>(index)]; }

private:
    std::vector<CString> m_items;
};
