// CDiskSpace: free space of a volume in megabytes of 1,048,576 bytes; -1.0 marks a failure.
#pragma once

#include "engine/UserMessages.h"
#include "framework/CObject.h"

#include <windows.h>

class CDiskSpace : public CObject {
public:
    static constexpr double kFailed = -1.0;

    // messages hears of each drive GetFreeMB cannot measure; without one, nobody does.
    explicit CDiskSpace(UserMessages* messages = nullptr) : m_messages(messages) {}

    // Total free bytes of the volume at root; tells string 57675 with a stop icon on failure.
    virtual double GetFreeMB(const char* root);
    // The same without a word: FALSE, and freeMB untouched, when the volume cannot be measured.
    virtual BOOL QueryFreeMB(const char* root, double& freeMB);

    // The size of the volume at root in bytes (under Wine, the size of the Unix file system the
    // drive leads to); FALSE, and totalBytes untouched, when it cannot be measured.
    static BOOL QueryTotalBytes(const char* root, unsigned long long& totalBytes);

    static double BytesToMB(unsigned long long bytes);

private:
    UserMessages* m_messages;   // borrowed
};
