#include "TwainSource.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "MessageBox.h"
#include "SourceDialog.h"
#include "SourceResource.h"
#include "Strings.h"

namespace {

// A string of the table into a fixed TWAIN field, cut to fit and terminated.
void CopyField(char (&field)[34], const std::string& text) {
    std::memset(field, 0, sizeof(field));
    std::strncpy(field, text.c_str(), sizeof(field) - 1);
}

bool IsOldHost(const TW_IDENTITY& app) { return app.ProtocolMajor < 2 && app.ProtocolMinor <= 5; }

class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

bool IsFolder(const char* path) {
    DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

CTwainSource::CTwainSource(HINSTANCE module, device::FncLoadJpegAFn codec)
    : module_(module), codec_(codec), picture_(codec) {
    BuildIdentity();
}

CTwainSource::~CTwainSource() {
    Close();
    retired_.clear();
}

std::string CTwainSource::LoadNarrow(UINT id) const {
    char buffer[34] = {};
    ::LoadStringA(module_, id, buffer, sizeof(buffer));
    return buffer;
}

void CTwainSource::BuildIdentity() {
    auto major = static_cast<TW_UINT16>(std::atoi(LoadNarrow(IDS_VERSION_MAJOR).c_str()));
    auto minor = static_cast<TW_UINT16>(std::atoi(LoadNarrow(IDS_VERSION_MINOR).c_str()));
    identity_ = TW_IDENTITY{};
    identity_.Version.MajorNum = major;
    identity_.Version.MinorNum = minor;
    identity_.Version.Language = TWLG_USA;
    identity_.Version.Country = TWCY_USA;
    char info[64];
    std::snprintf(info, sizeof(info), LoadNarrow(IDS_VERSION_FORMAT).c_str(), major, minor);
    CopyField(identity_.Version.Info, info);
    // TWAIN 2.4: a TWAIN 2 manager delivers our messages to the host's callback
    // only for a source that says so; 1.x managers ignore the flag.
    identity_.ProtocolMajor = 2;
    identity_.ProtocolMinor = 4;
    identity_.SupportedGroups = DG_CONTROL | DG_IMAGE | DF_DS2;
    CopyField(identity_.Manufacturer, LoadNarrow(IDS_MANUFACTURER));
    CopyField(identity_.ProductFamily, LoadNarrow(IDS_PRODUCT_FAMILY));
    CopyField(identity_.ProductName, LoadNarrow(IDS_PRODUCT_NAME));
}

void CTwainSource::ShowMessage(UINT id, const wchar_t* argument) const {
    std::wstring text = fw::LoadResString(id, module_);
    if (argument) text = fw::Format(text.c_str(), argument);
    HWND owner = dialog_ && dialog_->hwnd() ? dialog_->hwnd() : hostWindow_;
    fw::ShowMessageBox(::IsWindow(owner) ? owner : nullptr, text, fw::LoadResString(IDS_PRODUCT_NAME, module_), MB_OK | MB_ICONERROR);
}

TW_UINT16 CTwainSource::FailWithMessage(TW_UINT16 condition, UINT message) {
    condition_ = condition;
    ShowMessage(message);
    return TWRC_FAILURE;
}

bool CTwainSource::IsConnectedApp(const TW_IDENTITY* origin) const {
    return origin && origin->Id == app_.Id;
}

TW_UINT16 CTwainSource::Entry(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    // Source managers ask every source for its identity while listing them,
    // whoever is connected and sometimes without an origin.
    if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_GET) return Identity(origin, msg, data);
    if (app_.Id != 0 && !IsConnectedApp(origin)) return TWRC_FAILURE;
    // A call made while another waits (a message it dispatched, or the host
    // answering our call into its manager) would change the state under it;
    // only the condition of that refusal may be read.
    if (busy_) return dg == DG_CONTROL && dat == DAT_STATUS ? Status(msg, data) : Fail(TWCC_SEQERROR);
    ReleaseRetiredDialogs();
    BusyScope busy(busy_);
    return Dispatch(origin, dg, dat, msg, data);
}

TW_UINT16 CTwainSource::Dispatch(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    if (msg == MSG_PROCESSEVENT) return ProcessEvent(data);
    switch (dg) {
    case DG_CONTROL: return Control(origin, dat, msg, data);
    case DG_IMAGE: condition_ = TWCC_SUCCESS; return Image(dat, msg, data);
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 CTwainSource::ProcessEvent(TW_MEMREF data) {
    auto* event = static_cast<TW_EVENT*>(data);
    if (!event || !event->pEvent || !dialog_ || !dialog_->hwnd()) return TWRC_NOTDSEVENT;
    if (!::IsDialogMessageW(dialog_->hwnd(), static_cast<MSG*>(event->pEvent))) return TWRC_NOTDSEVENT;
    event->TWMessage = MSG_NULL;
    return TWRC_DSEVENT;
}

TW_UINT16 CTwainSource::Control(TW_IDENTITY* origin, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    // A host's protocol mistakes are its own to report: only what the user
    // must know (the camera, memory, a file) is shown as a box.
    switch (dat) {
    case DAT_CAPABILITY: return Capability(msg, data);
    case DAT_IDENTITY: return Identity(origin, msg, data);
    case DAT_USERINTERFACE: return UserInterface(msg, data);
    case DAT_STATUS: return Status(msg, data);
    case DAT_ENTRYPOINT: return EntryPoint(msg, data);
    case DAT_XFERGROUP: return XferGroup(msg, data);
    case DAT_PENDINGXFERS: return PendingXfers(msg, data);
    case DAT_SETUPMEMXFER: return SetupMemXfer(msg, data);
    case DAT_SETUPFILEXFER: return SetupFileXfer(msg, data);
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 CTwainSource::Capability(TW_UINT16 msg, TW_MEMREF data) {
    if (!data || !caps_) return Fail(!data ? TWCC_BADVALUE : TWCC_SEQERROR);
    caps_->Update(Facts());
    return caps_->Handle(msg, *static_cast<TW_CAPABILITY*>(data), IsOldHost(app_), state_ == kOpen, condition_);
}

SourceFacts CTwainSource::Facts() const {
    SourceFacts facts;
    facts.online = link_ && link_->Online();
    // The picture on its way, once decoded, tells its own size.
    if (picture_.header().biWidth > 0) facts.picture = {picture_.header().biWidth, picture_.header().biHeight};
    return facts;
}

TW_UINT16 CTwainSource::XferGroup(TW_UINT16 msg, TW_MEMREF data) {
    if (msg != MSG_GET && msg != MSG_SET) return Fail(TWCC_BADPROTOCOL);
    if (!data) return Fail(TWCC_BADVALUE);
    auto* group = static_cast<TW_UINT32*>(data);
    if (msg == MSG_SET && *group != DG_IMAGE) return Fail(TWCC_BADVALUE);
    *group = DG_IMAGE;
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::Identity(TW_IDENTITY* origin, TW_UINT16 msg, TW_MEMREF data) {
    switch (msg) {
    case MSG_GET:
        if (!data) return Fail(TWCC_BADVALUE);
        std::memcpy(data, &identity_, sizeof(identity_));
        return TWRC_SUCCESS;
    case MSG_OPENDS: return Open(origin, static_cast<TW_IDENTITY*>(data));
    case MSG_CLOSEDS: return Close();
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 CTwainSource::Open(TW_IDENTITY* origin, TW_IDENTITY* own) {
    if (app_.Id != 0) return Fail(TWCC_MAXCONNECTIONS);
    if (state_ != kLoaded) return Fail(TWCC_SEQERROR);
    if (!origin || !own) return Fail(TWCC_BADVALUE);
    auto link = std::make_unique<CDeviceLink>(module_);
    CDeviceLink::Result result = link->Load();
    if (result == CDeviceLink::kLinked) result = link->Connect();
    switch (result) {
    case CDeviceLink::kLinked: break;
    case CDeviceLink::kLibraryMissing: ShowMessage(IDS_CANNOT_LOAD, CDeviceLink::kLibraryName); break;
    case CDeviceLink::kAlreadyLaunched: ShowMessage(IDS_ALREADY_LAUNCHED); break;
    case CDeviceLink::kUsedByOther: ShowMessage(IDS_USED_BY_OTHER); break;
    case CDeviceLink::kMutexFailed: ShowMessage(IDS_INTERNAL_ERROR); break;
    default: break;
    }
    if (result != CDeviceLink::kLinked) return Fail(TWCC_NODS);
    link_ = std::move(link);
    app_ = *origin;
    identity_ = *own;  // as the manager completed it, with our Id
    caps_ = std::make_unique<CCapabilityTable>();
    state_ = kOpen;
    pin_.Hold();
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::Close() {
    // A host may close without disabling first: the preview must not outlive the camera.
    if (state_ >= kEnabled) Disable();
    link_.reset();
    caps_.reset();
    kept_.Clear();
    picture_.Clear();
    fileName_ = kDefaultFile;
    app_ = TW_IDENTITY{};
    hostWindow_ = nullptr;
    manager_ = nullptr;
    state_ = kLoaded;
    ReleaseRetiredDialogs();
    pin_.Release();
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::PendingXfers(TW_UINT16 msg, TW_MEMREF data) {
    auto* pending = static_cast<TW_PENDINGXFERS*>(data);
    switch (msg) {
    case MSG_GET:
        if (!InStates(kOpen, kTransferring)) return Fail(TWCC_SEQERROR);
        if (!pending) return Fail(TWCC_BADVALUE);
        // One picture per announcement: pending from MSG_XFERREADY until ENDXFER.
        pending->Count = state_ >= kReady ? 1 : 0;
        return TWRC_SUCCESS;
    case MSG_ENDXFER:
        if (!InStates(kReady, kTransferring)) return Fail(TWCC_SEQERROR);
        return EndXfer(pending);
    case MSG_RESET:
        if (!InStates(kReady, kTransferring)) return Fail(TWCC_SEQERROR);
        return ResetXfers(pending);
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 CTwainSource::EndXfer(TW_PENDINGXFERS* pending) {
    ReleasePicture();
    if (pending) pending->Count = 0;
    state_ = kEnabled;
    if (dialog_) dialog_->TransferEnded();
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::ResetXfers(TW_PENDINGXFERS* pending) {
    // In state 6 the host declines the announced picture (back to state 5);
    // in the middle of a memory transfer it starts the rows again.
    if (state_ == kReady) return EndXfer(pending);
    if (pending) pending->Count = 0;
    rowsSent_ = 0;
    if (dialog_) dialog_->TransferReset();
    state_ = kReady;
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::SetupMemXfer(TW_UINT16 msg, TW_MEMREF data) {
    if (msg != MSG_GET) return Fail(TWCC_BADPROTOCOL);
    if (!InStates(kOpen, kReady)) return Fail(TWCC_SEQERROR);
    if (!data) return Fail(TWCC_BADVALUE);
    auto* setup = static_cast<TW_SETUPMEMXFER*>(data);
    setup->MinBufSize = 16384;
    setup->MaxBufSize = 65535;
    setup->Preferred = 65535;
    rowsSent_ = 0;
    ReleasePicture();
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::SetupFileXfer(TW_UINT16 msg, TW_MEMREF data) {
    if (msg != MSG_GET && msg != MSG_GETDEFAULT && msg != MSG_RESET && msg != MSG_SET) return Fail(TWCC_BADPROTOCOL);
    // Hosts read the name back after the file transfer, in state 7.
    bool reads = msg == MSG_GET || msg == MSG_GETDEFAULT;
    if (!InStates(kOpen, reads ? kTransferring : kReady)) return Fail(TWCC_SEQERROR);
    if (!data) return Fail(TWCC_BADVALUE);
    auto* setup = static_cast<TW_SETUPFILEXFER*>(data);
    if (msg == MSG_SET) return SetFileName(*setup);
    if (msg == MSG_RESET) fileName_ = kDefaultFile;
    // GET reports the name in use; the default is what GETDEFAULT and RESET give.
    const std::string& name = msg == MSG_GETDEFAULT ? std::string(kDefaultFile) : fileName_;
    std::memset(setup->FileName, 0, sizeof(setup->FileName));
    std::strncpy(setup->FileName, name.c_str(), sizeof(setup->FileName) - 1);
    setup->Format = TWFF_BMP;
    setup->VRefNum = 0;
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::SetFileName(const TW_SETUPFILEXFER& setup) {
    // Files are written as BMP only: a host asking for another format must not get BMP bytes under its name.
    if (setup.Format != TWFF_BMP) return Fail(TWCC_BADVALUE);
    // The host's field need not be terminated: never read past it.
    std::string name(setup.FileName, strnlen(setup.FileName, sizeof(setup.FileName) - 1));
    bool usable = !name.empty() && !IsFolder(name.c_str());
    if (usable && ::GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) {
        fw::FileHandle probe(::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                           nullptr));
        usable = static_cast<bool>(probe);
    }
    // A refused name leaves the one in use: the next transfer still has somewhere to go.
    if (!usable) return FailWithMessage(TWCC_BADVALUE);
    fileName_ = name;
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::Status(TW_UINT16 msg, TW_MEMREF data) {
    if (msg != MSG_GET) return Fail(TWCC_BADPROTOCOL);
    if (!data) return Fail(TWCC_BADVALUE);
    auto* status = static_cast<TW_STATUS*>(data);
    status->ConditionCode = condition_;
    status->Reserved = 0;
    condition_ = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::UserInterface(TW_UINT16 msg, TW_MEMREF data) {
    switch (msg) {
    case MSG_ENABLEDS:
        if (state_ != kOpen) return Fail(TWCC_SEQERROR);
        if (!data) return Fail(TWCC_BADVALUE);
        return Enable(*static_cast<TW_USERINTERFACE*>(data));
    case MSG_DISABLEDS:
        if (!InStates(kEnabled, kTransferring)) return Fail(TWCC_SEQERROR);
        return Disable();
    // The dialog has no settings of its own to show without acquiring
    // (CAP_ENABLEDSUIONLY says FALSE): refused, the source stays in state 4.
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 CTwainSource::Enable(const TW_USERINTERFACE& ui) {
    hostWindow_ = static_cast<HWND>(ui.hParent);
    if (!ui.ShowUI) return EnableWithoutUi();
    std::unique_ptr<CSourceDialog> dialog;
    try {
        dialog = std::make_unique<CSourceDialog>(*this);
    } catch (const std::bad_alloc&) {
        return Fail(TWCC_LOWMEMORY);
    }
    if (!dialog->Create(static_cast<HWND>(ui.hParent))) return Fail(TWCC_LOWMEMORY);
    dialog_ = std::move(dialog);
    state_ = kEnabled;
    dialog_->Show();
    link_->SetNotifyTarget(dialog_->hwnd());
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::EnableWithoutUi() {
    fw::GlobalMemory block;
    DWORD size = 0;
    CTransferImage check(codec_);
    // Only a picture that decodes is worth announcing.
    if (!link_->RequestJpeg(block, size) || !check.Decode(fw::GlobalLock(block.get()).get(), size, 0) ||
        !kept_.Replace(block.get(), size))
        return Fail(TWCC_OPERATIONERROR);  // still state 4: the host reports it
    state_ = kEnabled;
    XferReady();
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::Disable() {
    ReleasePicture();
    if (dialog_) {
        if (link_) link_->SetNotifyTarget(nullptr);
        dialog_->EndPreviewThread();
        RetireDialog();
    }
    state_ = kOpen;
    return TWRC_SUCCESS;
}

void CTwainSource::RetireDialog() {
    if (!dialog_->InHandler()) {
        dialog_.reset();
        return;
    }
    // Its window goes now (and with it the boxes it owns); the object stays
    // until the handler on its stack has returned.
    dialog_->Retire();
    retired_.push_back(std::move(dialog_));
}

void CTwainSource::ReleaseRetiredDialogs() {
    retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                  [](const std::unique_ptr<CSourceDialog>& d) { return !d->InHandler(); }),
                   retired_.end());
}

TW_UINT16 CTwainSource::EntryPoint(TW_UINT16 msg, TW_MEMREF data) {
    auto* entry = static_cast<TW_ENTRYPOINT*>(data);
    if (msg != MSG_SET) return Fail(TWCC_BADPROTOCOL);
    if (!entry || entry->Size < offsetof(TW_ENTRYPOINT, DSM_MemAllocate) || !entry->DSM_Entry)
        return Fail(TWCC_BADVALUE);
    manager_ = entry->DSM_Entry;
    return TWRC_SUCCESS;
}

void CTwainSource::XferReady() {
    state_ = kReady;
    SendToManager(MSG_XFERREADY);
}

void CTwainSource::CloseDSReq() { SendToManager(MSG_CLOSEDSREQ); }

void CTwainSource::SendToManager(TW_UINT16 msg) {
    // The manager that loaded us: a TWAIN 2 one says where it is (DAT_ENTRYPOINT);
    // else a TWAINDSM.DLL already loaded, else the 1.x TWAIN_32.DLL.
    DSMENTRYPROC entry = manager_;
    if (!entry)
        if (HMODULE dsm = ::GetModuleHandleW(L"TWAINDSM.DLL"))
            entry = reinterpret_cast<DSMENTRYPROC>(::GetProcAddress(dsm, "DSM_Entry"));
    fw::Module legacy;
    if (!entry) {
        legacy.reset(::LoadLibraryW(L"TWAIN_32.DLL"));
        if (legacy) entry = reinterpret_cast<DSMENTRYPROC>(::GetProcAddress(legacy.get(), "DSM_Entry"));
    }
    if (entry) entry(&identity_, &app_, DG_CONTROL, DAT_NULL, msg, nullptr);
}
