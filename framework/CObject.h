// CObject: the common root of the framework's classes; it only makes destruction virtual.
#pragma once

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;
};
