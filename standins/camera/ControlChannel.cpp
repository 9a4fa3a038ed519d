#include "ControlChannel.h"

#include "CameraSettings.h"
#include "CurrentUserOnly.h"

namespace standin {

ControlChannel::ControlChannel(const CameraSettings& settings) {
    if (!OpenShared()) {
        ::OutputDebugStringW(L"KorvoDocCameraIM: control channel unavailable, running without it\n");
        private_ = std::make_unique<ControlBlock>();
        block_ = private_.get();
    }
    Reset(settings);
}

ControlChannel::~ControlChannel() {
    if (!view_) return;
    ::InterlockedExchange(&block_->owner, 0);
    ::UnmapViewOfFile(view_);
}

bool ControlChannel::OpenShared() {
    DWORD pid = ::GetCurrentProcessId();
    CurrentUserOnly security;
    if (!security.get()) return false;
    mapping_.reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, security.get(), PAGE_READWRITE, 0, sizeof(ControlBlock),
                                        ControlBlockName(pid).c_str()));
    if (!mapping_) return false;
    view_ = ::MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ControlBlock));
    if (!view_) return false;
    auto* block = static_cast<ControlBlock*>(view_);
    // A client may keep the block of an earlier camera object alive; it is
    // reused once that object has let go of it.
    if (::InterlockedCompareExchange(&block->owner, 1, 0) != 0) {
        ::UnmapViewOfFile(view_);
        view_ = nullptr;
        return false;
    }
    wake_.reset(::CreateEventW(security.get(), FALSE, FALSE, ControlEventName(pid).c_str()));
    block_ = block;
    return true;
}

void ControlChannel::Reset(const CameraSettings& s) {
    ControlBlock& b = *block_;
    ::InterlockedExchange(&b.magic, 0);
    ControlBlock fresh{};
    fresh.owner = b.owner;
    fresh.generation = static_cast<LONG>(static_cast<ULONG>(b.generation) + 1);
    fresh.refuseRequests = s.refuseRequests;
    fresh.failResponses = s.failResponses;
    fresh.corruptFrames = s.corruptFrames;
    fresh.emptyFrames = s.emptyFrames;
    fresh.delayMs = s.delayMs;
    fresh.frameRate = s.frameRate;
    fresh.wantAttached = fresh.attached = s.connected ? 1 : 0;
    fresh.wantCard = fresh.cardInserted = s.cardInserted ? 1 : 0;
    // Field by field: the block may be read by another process meanwhile.
    const volatile LONG* from = &fresh.owner;
    volatile LONG* to = &b.owner;
    for (size_t i = 0; i < sizeof(ControlBlock) / sizeof(LONG) - 1; ++i) ::InterlockedExchange(to + i, from[i]);
    ::InterlockedExchange(&b.magic, kControlMagic);
}

}  // namespace standin
