#pragma once
// The JPEG file of the last picture fetched from the camera: what the next
// transfer delivers. The preview thread replaces it while the application's
// thread reads it, hence the lock.
#include <windows.h>

#include <vector>

#include "Handles.h"

class CKeptPicture {
public:
    // Keeps a copy of `size` bytes of `block`; false (the old picture stays) when the copy fails.
    bool Replace(HGLOBAL block, DWORD size);
    std::vector<BYTE> Copy() const;
    bool Empty() const;
    void Clear();

private:
    mutable fw::CriticalSection lock_;
    fw::GlobalMemory jpeg_;
    DWORD size_ = 0;
};
