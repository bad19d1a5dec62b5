// CRegistry: one connection to a registry root (local or on another machine) and at most one
// open sub-key under it. Every operation keeps the Win32 code of its outcome for
// GetLastErrorCode and answers TRUE exactly when that code is ERROR_SUCCESS. The key name is that
// of the open key: whatever leaves no key open (a failed Open or Create, a failed DeleteKey of a
// path) leaves no name.
#pragma once

#include "framework/CByteArray.h"
#include "framework/CObject.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"

#include <windows.h>

class CRegistry : public CObject {
public:
    CRegistry();
    ~CRegistry() override;
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    static const char* GetRuntimeClassName() { return "CRegistry"; }

    virtual BOOL Close();
    // HKEY_CLASSES_ROOT and HKEY_CURRENT_USER exist only locally: a machine name with them fails.
    virtual BOOL Connect(HKEY root, const char* machineName = nullptr);
    virtual BOOL Create(const char* path, const char* className = nullptr,
                        DWORD options = REG_OPTION_NON_VOLATILE, REGSAM access = KEY_ALL_ACCESS,
                        LPSECURITY_ATTRIBUTES security = nullptr, LPDWORD disposition = nullptr);
    // A plain name is deleted with its whole tree under the open key; a path with a backslash
    // opens its parent under the root (which then stays open) and deletes the last part there.
    // A name with nothing after its last separator ("", "\\", "A\\") is refused with 87. Links
    // in the tree are deleted as links; a failed path delete leaves no key open and no name.
    virtual BOOL DeleteKey(const char* nameOrPath);
    virtual BOOL DeleteValue(const char* name);
    virtual BOOL EnumKey(DWORD index, CString& name, CString& className);
    virtual BOOL EnumValue(DWORD index, CString& name, DWORD& type, LPBYTE data, DWORD& size);
    virtual BOOL Flush();
    virtual BOOL GetBinaryValue(const char* name, CByteArray& value);
    virtual void GetKeyClass(CString& className) const;
    virtual void GetMachineName(CString& machineName) const;
    // A value that is not four bytes long fails with ERROR_INVALID_DATA and leaves value as it was.
    virtual BOOL GetDwordValue(const char* name, DWORD& value);
    virtual LONG GetLastErrorCode() const;
    virtual void GetKeyName(CString& keyName) const;
    virtual DWORD GetSubkeyCount() const;
    virtual DWORD GetValueCount() const;
    virtual void GetRootName(CString& rootName) const;
    // "HKEY_CURRENT_USER" and the like for a predefined root; "Unknown" for any other handle.
    static const char* NameOfRoot(HKEY root);
    virtual BOOL GetSecurity(SECURITY_INFORMATION flags, PSECURITY_DESCRIPTOR descriptor, DWORD& size);
    virtual BOOL GetStringValue(const char* name, CString& value);
    virtual BOOL GetMultiStringValue(const char* name, CStringArray& value);
    virtual BOOL GetValue(const char* name, CStringArray& value);
    virtual BOOL GetValue(const char* name, CString& value);
    virtual BOOL GetValue(const char* name, DWORD& value);
    virtual BOOL GetValue(const char* name, CByteArray& value);
    // Loads a hive under the connected root, not under the open key.
    virtual BOOL LoadKey(const char* subkeyName, const char* fileName);
    virtual BOOL NotifyChange(HANDLE event, DWORD filter, BOOL watchSubtree, BOOL asynchronous);
    virtual BOOL Open(const char* path, REGSAM access = KEY_ALL_ACCESS);
    virtual BOOL QueryInfo();
    // The type passed in is only a place for the stored type; it filters nothing.
    virtual BOOL QueryValue(const char* name, DWORD& type, LPBYTE data, DWORD& size);
    virtual BOOL ReplaceKey(const char* subkeyName, const char* newFile, const char* oldFile);
    virtual BOOL RestoreKey(const char* fileName, DWORD flags);
    virtual BOOL SaveKey(const char* fileName, LPSECURITY_ATTRIBUTES security = nullptr);
    virtual BOOL SetBinaryValue(const char* name, const CByteArray& value);
    virtual BOOL SetDwordValue(const char* name, DWORD value);
    virtual BOOL SetSecurity(SECURITY_INFORMATION& flags, PSECURITY_DESCRIPTOR descriptor);
    virtual BOOL SetStringValue(const char* name, const CString& value);
    virtual BOOL SetMultiStringValue(const char* name, const CStringArray& value);
    virtual BOOL SetValue(const char* name, DWORD type, const BYTE* data, DWORD size);
    virtual BOOL SetValue(const char* name, const CString& value);
    virtual BOOL SetValue(const char* name, const CStringArray& value);
    virtual BOOL SetValue(const char* name, DWORD value);
    virtual BOOL SetValue(const char* name, const CByteArray& value);
    // Unloads a hive from under the open key, unlike LoadKey.
    virtual BOOL UnLoadKey(const char* subkeyName);

protected:
    void Reset();

    HKEY m_KeyHandle;
    HKEY m_RootHandle;
    LONG m_ErrorCode;
    CString m_ClassName;
    CString m_MachineName;
    CString m_KeyName;
    CString m_RootName;
    DWORD m_SubkeyCount;
    DWORD m_ValueCount;
    DWORD m_LongestSubkeyName;
    DWORD m_LongestClassName;
    DWORD m_LongestValueName;
    DWORD m_LongestValueData;
    DWORD m_SecurityDescriptorSize;
    FILETIME m_LastWriteTime;

private:
    BOOL Succeeded(LONG code);
    BOOL Fail(LONG code);
    void CloseKey();
    // Reads a value of the given type whole, in a buffer as long as the key's longest value.
    BOOL ReadWholeValue(const char* name, DWORD type, CByteArray& bytes);
    static LONG DeleteKeyTree(HKEY parent, const char* name);
};
