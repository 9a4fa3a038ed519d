#pragma once
// The data source: its identity, the TWAIN states 3 to 7 it moves through,
// the triplets it answers and the condition code that DAT_STATUS reports.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CapabilityTable.h"
#include "DeviceLink.h"
#include "KeptPicture.h"
#include "ModulePin.h"
#include "TransferImage.h"
#include "Twain.h"

class CSourceDialog;

class CTwainSource {
public:
    enum State { kLoaded = 300, kOpen = 400, kEnabled = 500, kReady = 600, kTransferring = 700 };
    static constexpr const char* kDefaultFile = "c:\\twain.bmp";

    CTwainSource(HINSTANCE module, device::FncLoadJpegAFn codec);
    ~CTwainSource();
    CTwainSource(const CTwainSource&) = delete;
    CTwainSource& operator=(const CTwainSource&) = delete;

    TW_UINT16 Entry(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

    // MSG_XFERREADY and MSG_CLOSEDSREQ to the application through its source manager:
    // a TWAIN 2 manager hands them to the host's callback.
    void XferReady();
    void CloseDSReq();

    State state() const { return state_; }
    const TW_IDENTITY& identity() const { return identity_; }
    HINSTANCE module() const { return module_; }
    device::FncLoadJpegAFn codec() const { return codec_; }
    CDeviceLink* link() const { return link_.get(); }
    CKeptPicture& kept() { return kept_; }
    // A box from the string table with the error icon, captioned with the product
    // name, owned by the dialog (or the application's window when there is none).
    void ShowMessage(UINT id, const wchar_t* argument = nullptr) const;

private:
    void BuildIdentity();
    std::string LoadNarrow(UINT id) const;
    TW_UINT16 Fail(TW_UINT16 condition) {
        condition_ = condition;
        return TWRC_FAILURE;
    }
    TW_UINT16 FailWithMessage(TW_UINT16 condition, UINT message = 2062);
    bool IsConnectedApp(const TW_IDENTITY* origin) const;
    bool InStates(State low, State high) const { return state_ >= low && state_ <= high; }
    TW_UINT16 Dispatch(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    // A dialog whose handler is still running is destroyed once it has returned.
    void RetireDialog();
    void ReleaseRetiredDialogs();

    // Control triplets.
    TW_UINT16 Control(TW_IDENTITY* origin, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 ProcessEvent(TW_MEMREF data);
    TW_UINT16 Capability(TW_UINT16 msg, TW_MEMREF data);
    SourceFacts Facts() const;
    TW_UINT16 XferGroup(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 Identity(TW_IDENTITY* origin, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 Open(TW_IDENTITY* origin, TW_IDENTITY* own);
    TW_UINT16 Close();
    TW_UINT16 PendingXfers(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 EndXfer(TW_PENDINGXFERS* pending);
    TW_UINT16 ResetXfers(TW_PENDINGXFERS* pending);
    TW_UINT16 SetupMemXfer(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 SetupFileXfer(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 SetFileName(const TW_SETUPFILEXFER& setup);
    TW_UINT16 Status(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 UserInterface(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 Enable(const TW_USERINTERFACE& ui);
    TW_UINT16 EnableWithoutUi();
    TW_UINT16 Disable();
    TW_UINT16 EntryPoint(TW_UINT16 msg, TW_MEMREF data);

    // Image triplets (TwainSourceImage.cpp).
    TW_UINT16 Image(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 ImageInfo(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 ImageLayout(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 NativeXfer(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 MemXfer(TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 FileXfer(TW_UINT16 msg);
    // Makes sure the picture of the coming transfer is decoded and packed.
    bool PrepareTransfer();
    void ReleasePicture();

    void SendToManager(TW_UINT16 msg);

    HINSTANCE module_;
    device::FncLoadJpegAFn codec_;
    TW_IDENTITY identity_{};
    TW_IDENTITY app_{};
    State state_ = kLoaded;
    TW_UINT16 condition_ = TWCC_SUCCESS;
    std::unique_ptr<CCapabilityTable> caps_;
    CTransferImage picture_;
    DWORD rowsSent_ = 0;
    std::string fileName_ = kDefaultFile;
    std::unique_ptr<CSourceDialog> dialog_;
    std::vector<std::unique_ptr<CSourceDialog>> retired_;
    HWND hostWindow_ = nullptr;  // ENABLEDS's hParent
    bool busy_ = false;          // a call is under way: another one now is nested
    CModulePin pin_;
    std::unique_ptr<CDeviceLink> link_;
    CKeptPicture kept_;
    DSMENTRYPROC manager_ = nullptr;  // from DAT_ENTRYPOINT, given before every OPENDS
};
