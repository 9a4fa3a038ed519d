#include "ManagerHost.h"

#include <cstring>

#include "DataSource.h"
#include "TestSupport.h"
#include "TwainHost.h"
#include "Wait.h"

namespace twain_test {
namespace {

constexpr const char* kSourceName = "Korvo Document Camera TWAIN DS";
std::vector<TW_UINT16> g_received;  // the callback has no object of its own

}  // namespace

SourcePlacement::SourcePlacement(Where where) {
    // Where the installer puts it.
    std::wstring own = installer::DataSourceFolder(sizeof(void*) == 8 ? L"twain_64" : L"twain_32");
    std::wstring managerFolder = own.substr(0, own.rfind(L'\\'));
    folder_ = where == kOwnFolder ? own : std::wstring();
    file_ = where == kOwnFolder ? own + L"\\" + installer::kDataSourceFile : managerFolder + L"\\sane.ds";
    ::CreateDirectoryW(managerFolder.c_str(), nullptr);
    if (!folder_.empty()) ::CreateDirectoryW(folder_.c_str(), nullptr);
    if (where == kWineSaneName) KeepAside(file_ + L".kept");
    placed_ = ::CopyFileW((testing_support::TestProgramFolder() + L"KorvoDocCamera.ds").c_str(), file_.c_str(), FALSE);
}

void SourcePlacement::KeepAside(const std::wstring& kept) {
    // One already there is the prefix's own, left aside by a run stopped half-way.
    if (::GetFileAttributesW(kept.c_str()) != INVALID_FILE_ATTRIBUTES ||
        ::MoveFileExW(file_.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING))
        kept_ = kept;
}

SourcePlacement::~SourcePlacement() {
    ::DeleteFileW(file_.c_str());
    if (!kept_.empty()) ::MoveFileW(kept_.c_str(), file_.c_str());
    if (!folder_.empty()) ::RemoveDirectoryW(folder_.c_str());
}

std::wstring TwainDsmPath() {
    std::wstring path = testing_support::TestProgramFolder() + L"TWAINDSM.dll";
    return ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ? std::wstring() : path;
}

ManagerHost::ManagerHost(const std::wstring& managerPath, bool twain2) : twain2_(twain2) {
    g_received.clear();
    app_ = MakeAppIdentity(0, twain2 ? 4 : 9);
    if (twain2) {
        app_.ProtocolMajor = 2;
        app_.SupportedGroups |= DF_APP2;
    }
    window_ = ::CreateWindowW(L"STATIC", L"Manager host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr);
    library_.reset(::LoadLibraryW(managerPath.c_str()));
    if (library_) entry_ = reinterpret_cast<DSMENTRYPROC>(::GetProcAddress(library_.get(), "DSM_Entry"));
}

ManagerHost::~ManagerHost() {
    CloseAll();
    if (window_) ::DestroyWindow(window_);
}

const std::vector<TW_UINT16>& ManagerHost::received() const { return g_received; }

bool ManagerHost::OpenManagerAndFindSource() {
    if (!entry_ || entry_(&app_, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &window_) != TWRC_SUCCESS)
        return false;
    managerOpen_ = true;
    TW_UINT16 rc = entry_(&app_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &source_);
    for (; rc == TWRC_SUCCESS; rc = entry_(&app_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &source_))
        if (std::strcmp(source_.ProductName, kSourceName) == 0) return true;
    return false;
}

TW_UINT16 ManagerHost::OpenSource() {
    TW_UINT16 rc = entry_(&app_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source_);
    sourceOpen_ = rc == TWRC_SUCCESS;
    // TWAIN 2 hosts register a callback only with sources that say they are TWAIN 2.
    if (sourceOpen_ && twain2_ && (source_.SupportedGroups & DF_DS2)) {
        TW_CALLBACK callback{reinterpret_cast<TW_MEMREF>(&ManagerHost::Callback), 0, 0};
        rc = Call(DG_CONTROL, DAT_CALLBACK, MSG_REGISTER_CALLBACK, &callback);
    }
    return rc;
}

TW_UINT16 ManagerHost::Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    return entry_(&app_, &source_, dg, dat, msg, data);
}

TW_UINT16 ManagerHost::SetCapability(TW_UINT16 cap, TW_UINT16 value) {
    fw::GlobalMemory one(OneValue(value));
    TW_CAPABILITY capability{cap, TWON_ONEVALUE, one.get()};
    return Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
}

TW_UINT16 ManagerHost::Enable(bool showUi) {
    TW_USERINTERFACE ui{static_cast<TW_BOOL>(showUi), FALSE, window_};
    TW_UINT16 rc = Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    enabled_ = rc == TWRC_SUCCESS;
    return rc;
}

bool ManagerHost::WaitForTransferReady() {
    auto ready = [&] {
        for (TW_UINT16 m : g_received)
            if (m == MSG_XFERREADY) return true;
        return false;
    };
    if (twain2_) return testing_support::WaitUntil(ready);
    // A 1.x host's own loop: every message goes to the manager before the window.
    DWORD start = ::GetTickCount();
    for (;;) {
        ProcessEvents();
        if (ready()) return true;
        if (::GetTickCount() - start > testing_support::kWaitLimitMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

void ManagerHost::ProcessEvents() {
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TW_EVENT event{&msg, MSG_NULL};
        if (Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) == TWRC_DSEVENT) {
            if (event.TWMessage != MSG_NULL) g_received.push_back(event.TWMessage);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void ManagerHost::CloseAll() {
    if (enabled_) {
        TW_PENDINGXFERS pending{};
        Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
        TW_USERINTERFACE ui{};
        Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
        enabled_ = false;
    }
    if (sourceOpen_) entry_(&app_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_);
    if (managerOpen_) entry_(&app_, nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &window_);
    sourceOpen_ = managerOpen_ = false;
}

TW_UINT16 __stdcall ManagerHost::Callback(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16 msg,
                                          TW_MEMREF) {
    // As hosts do: note it here, act on it from the loop.
    g_received.push_back(msg);
    return TWRC_SUCCESS;
}

}  // namespace twain_test
