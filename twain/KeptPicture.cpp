#include "KeptPicture.h"

#include <cstring>
#include <mutex>
#include <new>

bool CKeptPicture::Replace(HGLOBAL block, DWORD size) {
    if (!block || !size || ::GlobalSize(block) < size) return false;
    fw::GlobalMemory copy(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!copy) return false;
    {
        fw::GlobalLock from(block), to(copy.get());
        if (!from.get() || !to.get()) return false;
        std::memcpy(to.get(), from.get(), size);
    }
    std::lock_guard<fw::CriticalSection> guard(lock_);
    jpeg_ = std::move(copy);
    size_ = size;
    return true;
}

std::vector<BYTE> CKeptPicture::Copy() const {
    std::lock_guard<fw::CriticalSection> guard(lock_);
    fw::GlobalLock lock(jpeg_.get());
    if (!lock.get()) return {};
    try {
        const auto* p = static_cast<const BYTE*>(lock.get());
        return std::vector<BYTE>(p, p + size_);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

bool CKeptPicture::Empty() const {
    std::lock_guard<fw::CriticalSection> guard(lock_);
    return !jpeg_;
}

void CKeptPicture::Clear() {
    std::lock_guard<fw::CriticalSection> guard(lock_);
    jpeg_.reset();
    size_ = 0;
}
