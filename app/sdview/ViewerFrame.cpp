#include "sdview/ViewerFrame.h"

#include <commctrl.h>

#include "Handles.h"
#include "SDControl.h"
#include "Strings.h"
#include "base/AppMessages.h"
#include "resource.h"
#include "sdview/PaneLayout.h"
#include "transfer/CardMessages.h"

namespace {
constexpr int kProgressPane = 2;
constexpr int kCounterPane = 3;
}  // namespace

CViewerFrame::CViewerFrame(device::IDeviceControl* device, HWND mainFrame, PictureOpener opener)
    : device_(device), mainFrame_(mainFrame), opener_(std::move(opener)), tree_(device), thumbnails_(device) {
    thumbnails_.onOpen = [this](const std::wstring& path) { OpenPicture(path); };
}

bool CViewerFrame::Create() {
    WNDCLASSEXW wc{};
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!RegisterClass(wc)) return false;
    return Window::Create(kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                          760, 520, nullptr, nullptr) != nullptr;
}

bool CViewerFrame::OnCreate() {
    if (!status_.Create(hwnd())) return false;
    if (!progress_.Create(status_.hwnd(), 1, RECT{0, 0, 10, 10})) return false;
    ::SetWindowLongPtrW(progress_.hwnd(), GWL_STYLE, ::GetWindowLongPtrW(progress_.hwnd(), GWL_STYLE) | PBS_SMOOTH);
    ::ShowWindow(progress_.hwnd(), SW_HIDE);
    progress_.SetRange(0, 100);
    if (!CreatePanes(hwnd(), splitter_, tree_, thumbnails_, kViewerTreeWidth)) return false;
    Layout();
    ::PostMessageW(tree_.hwnd(), WM_SDTREE_FILL, 0, 0);
    return true;
}

void CViewerFrame::Layout() {
    status_.Resize();
    RECT client{}, bar{};
    ::GetClientRect(hwnd(), &client);
    ::GetWindowRect(status_.hwnd(), &bar);
    client.bottom -= bar.bottom - bar.top;
    FitSplitter(hwnd(), splitter_, &client);
    if (::IsWindowVisible(progress_.hwnd())) PlaceProgressBar();
}

void CViewerFrame::ShowProgress(int total, int done) {
    if (total == 0) return;
    status_.SetFixedPanes({status_.TextWidth(fw::LoadResString(IDS_READING_IMAGES)),
                           status_.TextWidth(fw::LoadResString(IDS_PROGRESS_PANE)),
                           status_.TextWidth(fw::LoadResString(IDS_COUNTER_PANE))});
    status_.SetMessage(fw::LoadResString(IDS_PRESS_ESC));
    status_.SetText(1, fw::LoadResString(IDS_READING_IMAGES));
    ::ShowWindow(progress_.hwnd(), SW_SHOW);
    PlaceProgressBar();
    SetProgress(total, done);
}

void CViewerFrame::SetProgress(int total, int done) {
    if (total == 0) return;
    status_.SetText(kCounterPane, fw::Format(L"%d/%d", done, total));
    progress_.SetPosition(static_cast<int>(static_cast<long long>(done) * 100 / total));
}

void CViewerFrame::HideProgress() {
    ::ShowWindow(progress_.hwnd(), SW_HIDE);
    status_.SetFixedPanes({});
    status_.SetMessage(L"");
}

void CViewerFrame::PlaceProgressBar() {
    RECT pane{};
    ::SendMessageW(status_.hwnd(), SB_GETRECT, kProgressPane, reinterpret_cast<LPARAM>(&pane));
    ::MoveWindow(progress_.hwnd(), pane.left, pane.top, pane.right - pane.left, pane.bottom - pane.top, TRUE);
}

void CViewerFrame::OnClose() {
    if (thumbnails_.IsBusy()) {
        thumbnails_.Stop();
        return;
    }
    if (mainFrame_)
        ::PostMessageW(mainFrame_, WM_VIEWER_CLOSED, 0, 0);
    else
        ::DestroyWindow(hwnd());
}

void CViewerFrame::OpenPicture(const std::wstring& cardPath) {
    const size_t last = cardPath.rfind(L'\\');
    if (last == std::wstring::npos) {
        ShowCardMessage(hwnd(), IDS_INVALID_CARD_NAME, MB_OK | MB_ICONERROR);
        return;
    }
    const std::wstring title = cardPath.substr(last + 1);
    CSDControl card(device_);
    HGLOBAL copy = card.SD_GetJpegFile(cardPath);
    if (!copy) {
        ShowCardAccessMessage(hwnd(), card.status(), MB_ICONERROR, MB_ICONERROR);
        return;
    }
    fw::WaitCursor wait;
    fw::GlobalLock record(copy);
    const auto* file = static_cast<const SdReceivedFile*>(record.get());
    fw::GlobalLock bytes(file ? file->data : nullptr);
    if (bytes.get() && opener_) opener_(bytes.get(), file->size, title.c_str());
}

LRESULT CViewerFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int total = static_cast<int>(wParam), done = static_cast<int>(lParam);
    switch (msg) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case CThumbnailList::WM_THUMBNAILS_START: ShowProgress(total, done); return 0;
    case CThumbnailList::WM_THUMBNAILS_PROGRESS: SetProgress(total, done); return 0;
    case CThumbnailList::WM_THUMBNAILS_END: HideProgress(); return 0;
    case WM_SIZE: Layout(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_KEYUP:
        if (wParam == VK_ESCAPE) thumbnails_.Stop();
        break;
    default: break;
    }
    return fw::Window::WindowProc(msg, wParam, lParam);
}

void CViewerFrame::OnFinalMessage() {
    if (mainFrame_) ::PostMessageW(mainFrame_, WM_RESUME_LIVE, 0, 0);
}
