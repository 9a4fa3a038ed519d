#pragma once
// A TWAIN host that goes through a real source manager, as applications do:
// the TWAIN Working Group's TWAINDSM.dll as a TWAIN 2 host (its callback
// registered with DAT_CALLBACK), or Wine's twain_32.dll as a TWAIN 1.x host
// (messages fetched with MSG_PROCESSEVENT from its window's loop). The manager
// finds KorvoDocCamera.ds where the installer puts it, which SourcePlacement does.
#include <windows.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "Twain.h"

namespace twain_test {

// The test build's KorvoDocCamera.ds in the manager's folder, in a folder of its
// own (%WINDIR%\twain_32 or twain_64 \Korvo), removed again at the end.
// Wine's twain_32 (8.0) lists no folder: it loads only "sane.ds" and
// "gphoto2.ds" from %WINDIR%\twain_NN, so for it a copy goes there as sane.ds
// (the prefix's own is a placeholder without SANE behind it: kept aside and put back).
class SourcePlacement {
public:
    enum Where { kOwnFolder, kWineSaneName };
    explicit SourcePlacement(Where where = kOwnFolder);
    ~SourcePlacement();
    SourcePlacement(const SourcePlacement&) = delete;
    SourcePlacement& operator=(const SourcePlacement&) = delete;
    bool placed() const { return placed_; }

private:
    void KeepAside(const std::wstring& kept);
    std::wstring folder_, file_, kept_;
    bool placed_ = false;
};

// TWAINDSM.dll copied beside the test program by the build; empty when it was not there.
std::wstring TwainDsmPath();

class ManagerHost {
public:
    // `managerPath`: the manager's DLL; `twain2`: a TWAIN 2 host that registers its callback.
    ManagerHost(const std::wstring& managerPath, bool twain2);
    ~ManagerHost();
    ManagerHost(const ManagerHost&) = delete;
    ManagerHost& operator=(const ManagerHost&) = delete;

    bool loaded() const { return entry_ != nullptr; }
    // MSG_OPENDSM, then the manager's list searched for our source by name.
    bool OpenManagerAndFindSource();
    TW_UINT16 OpenSource();  // MSG_OPENDS (and DAT_CALLBACK for a TWAIN 2 host)
    TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data);
    TW_UINT16 SetCapability(TW_UINT16 cap, TW_UINT16 value);
    TW_UINT16 Enable(bool showUi);
    // Waits, pumping messages, for MSG_XFERREADY; true once it came.
    bool WaitForTransferReady();
    // ENDXFER, DISABLEDS, CLOSEDS and CLOSEDSM, each as far as the state needs.
    void CloseAll();

    const TW_IDENTITY& source() const { return source_; }
    // Messages that reached the host from the source, by whichever way.
    const std::vector<TW_UINT16>& received() const;

private:
    static TW_UINT16 __stdcall Callback(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 dg, TW_UINT16 dat,
                                        TW_UINT16 msg, TW_MEMREF data);
    // A TWAIN 1.x host hands each message of its loop to the manager first.
    void ProcessEvents();

    fw::Module library_;
    DSMENTRYPROC entry_ = nullptr;
    bool twain2_;
    HWND window_ = nullptr;
    TW_IDENTITY app_{};
    TW_IDENTITY source_{};
    bool managerOpen_ = false, sourceOpen_ = false, enabled_ = false;
};

}  // namespace twain_test
