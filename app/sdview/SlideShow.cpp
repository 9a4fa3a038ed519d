#include "sdview/SlideShow.h"

#include "Strings.h"
#include "base/AppMessages.h"
#include "base/AppServices.h"
#include "resource.h"
#include "sdview/PlayListRules.h"
#include "sdview/SlideSplitFrm.h"
#include "transfer/CardMessages.h"

namespace {
const UINT kProgressControls[] = {IDC_READ_TOTAL, IDC_READ_CURRENT, IDC_READ_PROGRESS, IDC_READ_SLASH,
                                  IDC_READING_TEXT};
const wchar_t kNoSuchFile[] = L"No such file";
}  // namespace

CSlideShow::CSlideShow(HWND owner, device::IDeviceControl* device)
    : fw::Dialog(IDD_SLIDE_SHOW), owner_(owner), device_(device), playList_(device), card_(device) {}

CSlideShow::~CSlideShow() = default;

BOOL CSlideShow::OnInitDialog() {
    RECT place{};
    HWND layout = ::GetDlgItem(hwnd(), IDC_SLIDE_LAYOUT);
    ::GetWindowRect(layout, &place);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
    ::ShowWindow(layout, SW_HIDE);
    contents_ = std::make_unique<CSlideSplitFrm>(device_, *this);
    contents_->Create(hwnd(), place);
    ShowProgressControls(false);
    progress_.SubclassDlgItem(hwnd(), IDC_READ_PROGRESS);
    progress_.SetRange(0, 100);
    playList_.SubclassDlgItem(hwnd(), IDC_PLAY_ORDER);
    playList_.Init();
    playList_.onPreview = [this](const std::wstring& path, bool cached) { ShowPreview(path, cached); };
    return TRUE;
}

void CSlideShow::OnFirstShow() {
    firstShow_ = false;
    ::PostMessageW(contents_->tree().hwnd(), WM_SDTREE_FILL, 0, 0);
    ::PostMessageW(playList_.hwnd(), CSlidePlayList::WM_LOAD_PLAYLIST, 0, 0);
    FixPreviewAspect();
}

// The camera's pictures are 4:3; a preview of another shape would distort them.
void CSlideShow::FixPreviewAspect() {
    HWND preview = ::GetDlgItem(hwnd(), IDC_SLIDE_PREVIEW);
    RECT box{};
    ::GetWindowRect(preview, &box);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&box), 2);
    const int width = box.right - box.left, height = box.bottom - box.top;
    if (width * 3 == height * 4) return;
    int newHeight = height / 3 * 3;
    if (newHeight == 0) newHeight = 3;
    const int newWidth = newHeight * 4 / 3;
    ::SetWindowPos(preview, nullptr, 0, 0, newWidth, newHeight, SWP_NOMOVE | SWP_NOZORDER);
    const int grow = newWidth - width;
    RECT list{}, dialog{};
    ::GetWindowRect(playList_.hwnd(), &list);
    ::SetWindowPos(playList_.hwnd(), nullptr, 0, 0, list.right - list.left + grow, list.bottom - list.top,
                   SWP_NOMOVE | SWP_NOZORDER);
    ::GetWindowRect(hwnd(), &dialog);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, dialog.right - dialog.left + grow, dialog.bottom - dialog.top,
                   SWP_NOMOVE | SWP_NOZORDER);
}

bool CSlideShow::StopIfReading() {
    if (!contents_ || !contents_->thumbnails().IsBusy()) return false;
    contents_->thumbnails().Stop();
    return true;
}

bool CSlideShow::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_SLIDE_ADD: OnAdd(); return true;
    case IDC_SLIDE_DELETE: playList_.DeleteSelected(); return true;
    case IDC_SLIDE_UP: playList_.MoveSelected(-1); return true;
    case IDC_SLIDE_DOWN: playList_.MoveSelected(+1); return true;
    case IDC_SLIDE_UPDATE:
        if (!StopIfReading()) ::PostMessageW(contents_->tree().hwnd(), WM_SDTREE_REFRESH, 0, 0);
        return true;
    case IDOK:
        if (StopIfReading()) return true;
        playList_.RegisterToCard();
        Finish(IDOK);
        return true;
    case IDCANCEL:
        if (!StopIfReading()) Finish(IDCANCEL);
        return true;
    default: return fw::Dialog::OnCommand(id, code);
    }
}

void CSlideShow::Finish(INT_PTR result) {
    ClearPreview();
    EndDialog(result);
}

void CSlideShow::CloseForLostCamera() {
    if (hwnd()) Finish(IDCANCEL);
}

void CSlideShow::OnAdd() {
    CThumbnailList& thumbnails = contents_->thumbnails();
    const std::vector<int> chosen = thumbnails.Selection();
    if (chosen.empty()) return;
    const std::vector<int> rows = playList_.Selection();
    if (rows.size() > 1) {
        ShowCardMessage(hwnd(), IDS_SEVERAL_POSITIONS, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    int position = rows.empty() ? playList_.Count() : rows.front();
    for (int item : chosen) {
        const CThumbnailList::Thumbnail* picture = thumbnails.ItemData(item);
        if (picture && playList_.AddEntry(picture->cardPath.c_str(), L"", L"", position) >= 0) ++position;
    }
}

void CSlideShow::SetProgressControls(int total, int current) {
    ::SetDlgItemTextW(hwnd(), IDC_READ_TOTAL, fw::Format(L"%d", total).c_str());
    ::SetDlgItemTextW(hwnd(), IDC_READ_CURRENT, fw::Format(L"%d", current).c_str());
    progress_.SetPosition(static_cast<int>(static_cast<long long>(current) * 100 / total));
}

void CSlideShow::ShowProgressControls(bool show) {
    for (UINT id : kProgressControls) ::ShowWindow(::GetDlgItem(hwnd(), id), show ? SW_SHOW : SW_HIDE);
}

void CSlideShow::ShowProgress(int total, int current) {
    if (total == 0) return;
    SetProgressControls(total, current);
    ShowProgressControls(true);
    ::UpdateWindow(hwnd());
}

void CSlideShow::UpdateProgress(int total, int current) {
    if (total != 0) SetProgressControls(total, current);
}

void CSlideShow::HideProgress() { ShowProgressControls(false); }

void CSlideShow::ClearPreview() {
    HWND preview = ::GetDlgItem(hwnd(), IDC_SLIDE_PREVIEW);
    ::SendMessageW(preview, STM_SETIMAGE, IMAGE_BITMAP, 0);
    preview_.reset();
}

HBITMAP CSlideShow::LoadPreview(const std::wstring& path, bool cached, SIZE size) {
    HBITMAP bitmap = nullptr;
    fw::WindowDC dc(hwnd());
    CJpegCoder coder = AppJpegCoder();
    if (cached) return coder.LoadJpegFile(&bitmap, path.c_str(), dc.get(), size.cx, size.cy) ? bitmap : nullptr;
    if (path.size() > kMaxCardPathLength) return nullptr;
    if (HGLOBAL copy = card_.SD_GetJpegFile(path)) {
        fw::GlobalLock record(copy);
        const auto* file = static_cast<const SdReceivedFile*>(record.get());
        fw::GlobalLock bytes(file ? file->data : nullptr);
        if (!bytes.get() || !coder.LoadJpegMemory(&bitmap, bytes.get(), file->size, dc.get(), size.cx, size.cy, 0))
            bitmap = nullptr;
    }
    card_.Clear();
    return bitmap;
}

void CSlideShow::ShowPreview(const std::wstring& path, bool cached) {
    ClearPreview();
    HWND preview = ::GetDlgItem(hwnd(), IDC_SLIDE_PREVIEW);
    RECT client{};
    ::GetClientRect(preview, &client);
    HBITMAP bitmap = path.empty() ? nullptr : LoadPreview(path, cached, SIZE{client.right, client.bottom});
    LONG_PTR style = ::GetWindowLongPtrW(preview, GWL_STYLE) & ~SS_TYPEMASK;
    if (bitmap) {
        preview_.reset(bitmap);
        ::SetWindowLongPtrW(preview, GWL_STYLE, style | SS_BITMAP | SS_CENTERIMAGE);
        ::SendMessageW(preview, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    } else {
        ::SetWindowLongPtrW(preview, GWL_STYLE, style | SS_CENTER);
        ::SendMessageW(preview, WM_SETFONT, ::SendMessageW(hwnd(), WM_GETFONT, 0, 0), FALSE);
        ::SetWindowTextW(preview, path.empty() ? L"" : kNoSuchFile);
    }
    ::InvalidateRect(preview, nullptr, TRUE);
    ::UpdateWindow(preview);
}

bool CSlideShow::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam && firstShow_) OnFirstShow();
        return false;
    case WM_ACTIVATE:
        ::InvalidateRect(::GetDlgItem(hwnd(), IDC_SLIDE_PREVIEW), nullptr, TRUE);
        return false;
    case WM_DESTROY:
        firstShow_ = true;
        if (owner_) ::PostMessageW(owner_, WM_RESUME_LIVE, 0, 0);
        return false;
    default: return false;
    }
}
