// One picture at a time: each arrival is made a thumbnail, saved to the
// cache, shown, and the next picture asked for; a stop ends it at the next.
#include <algorithm>

#include "Handles.h"
#include "Strings.h"
#include "base/AppServices.h"
#include "convert/CountedModal.h"
#include "convert/TransErrDlg.h"
#include "resource.h"
#include "sdview/ThumbnailList.h"
#include "transfer/CardMessages.h"

namespace {

// The response goes back at once: its bytes are copied or decoded by then.
void HandBack(WPARAM thread, LPARAM record) {
    if (record) device::ReleaseResponse(thread, record);
}

// Plain character order of two items' texts.
int CALLBACK CompareItemTexts(LPARAM a, LPARAM b, LPARAM list) {
    wchar_t first[MAX_PATH] = {}, second[MAX_PATH] = {};
    ListView_GetItemText(reinterpret_cast<HWND>(list), static_cast<int>(a), 0, first, MAX_PATH);
    ListView_GetItemText(reinterpret_cast<HWND>(list), static_cast<int>(b), 0, second, MAX_PATH);
    return ::wcscmp(first, second);
}

}  // namespace

void CThumbnailList::OnCompletion(WPARAM thread, LPARAM lParam) {
    const auto* record = reinterpret_cast<const device::ResponseRecord*>(lParam);
    // A completion after the reading ended (stopped, or a stale one) still owes the record.
    if (!busy_ || (record == nullptr) != cacheMode_) {
        HandBack(thread, lParam);
        return;
    }
    const bool failed = record && !SaveArrivedPicture(*record);
    HandBack(thread, lParam);
    if (!failed) AddThumbnail();
    ++index_;
    ::SendMessageW(pane_, WM_THUMBNAILS_PROGRESS, count_, index_);
    SortIfResized();
    if (index_ >= count_ || stop_) {
        FinishReading();
    } else if (busy_ && !StartFile()) {
        EndWithAccessFailure();
    }
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

// The status decides before the record's kind: the card answers "no card"
// and other failures without data.
bool CThumbnailList::SaveArrivedPicture(const device::ResponseRecord& record) {
    const std::wstring name = names_[index_];
    if (record.status == device::kSdNoCard) {
        Message(IDS_SD_NOT_INSERTED, MB_OK | MB_ICONERROR);
        ::InterlockedExchange(&stop_, 1);
        return false;
    }
    if (record.status != 0) {
        errors_.AddError(IDS_SD_UNAVAILABLE, name);
        return false;
    }
    if (record.kind != device::kResponseWithData) {
        Message(IDS_SD_UNAVAILABLE, MB_OK | MB_ICONERROR);
        ::InterlockedExchange(&stop_, 1);
        return false;
    }
    fw::GlobalLock bytes(record.data);
    HBITMAP decoded = nullptr;
    fw::WindowDC dc(hwnd());
    CJpegCoder coder = AppJpegCoder();
    if (!bytes.get() ||
        !coder.LoadJpegMemory(&decoded, bytes.get(), record.size, dc.get(), kThumbnailSize.cx, kThumbnailSize.cy, 0)) {
        errors_.AddError(IDS_INTERNAL_ERROR, name);
        return false;
    }
    fw::GdiObject owned(decoded);
    if (!coder.SaveJpeg(cachePath_.c_str(), decoded, 75)) {
        errors_.AddError(IDS_INTERNAL_ERROR, name);
        return false;
    }
    return true;
}

void CThumbnailList::AddThumbnail() {
    const std::wstring name = names_[index_];
    HBITMAP loaded = nullptr;
    fw::WindowDC dc(hwnd());
    if (!AppJpegCoder().LoadJpegFile(&loaded, cachePath_.c_str(), dc.get(), kThumbnailSize.cx, kThumbnailSize.cy)) {
        errors_.AddError(IDS_INTERNAL_ERROR, name);
        return;
    }
    fw::GdiObject owned(loaded);
    const int image = images_.Add(loaded);
    if (image < 0) {
        ShowCardMessage(hwnd(), IDS_NO_RESOURCES, MB_OK | MB_ICONEXCLAMATION);
        ::InterlockedExchange(&stop_, 1);
        return;
    }
    auto* data = new Thumbnail{cardPath_, cachePath_};
    if (Insert(Item{name, image, reinterpret_cast<LPARAM>(data)}) < 0) delete data;
}

void CThumbnailList::SortIfResized() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    if (index_ > 1 && !::EqualRect(&client, &lastClient_)) {
        ListView_SortItemsEx(hwnd(), CompareItemTexts, reinterpret_cast<LPARAM>(hwnd()));
    }
    lastClient_ = client;
}

void CThumbnailList::FinishReading() {
    ::SendMessageW(pane_, WM_THUMBNAILS_END, 0, 0);
    const bool stopped = stop_ != 0;
    // A half-read folder must not pass for a complete cache next time.
    if (stopped)
        DeleteCacheFolder();
    else
        ShowErrorList();
    errors_.FreeErrorList();
    busy_ = false;
    ::InterlockedExchange(&stop_, 0);
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, ::GetWindowLongPtrW(hwnd(), GWL_STYLE) | LVS_AUTOARRANGE);
}

void CThumbnailList::ShowErrorList() {
    if (errors_.empty()) return;
    CTransErrDlg dialog;
    dialog.SetCaption(L"Reading error");
    dialog.SetHeader(L"Error List");
    dialog.SetErrorList(&errors_);
    CountedModal counted;
    dialog.DoModal(::GetAncestor(hwnd(), GA_ROOT));
}

// The library posts each completion to a window: one still on its way when
// the window goes would keep its record for ever.
void CThumbnailList::DrainOnDestroy() {
    if (!busy_) return;
    ::InterlockedExchange(&stop_, 1);
    if (!cacheMode_) {
        constexpr DWORD kLimitMs = 10000;
        const DWORD start = ::GetTickCount();
        MSG msg;
        while (::GetTickCount() - start < kLimitMs) {
            if (::PeekMessageW(&msg, hwnd(), device::WM_DEVICE_REQUEST_COMPLETE, device::WM_DEVICE_REQUEST_COMPLETE,
                               PM_REMOVE)) {
                HandBack(msg.wParam, msg.lParam);
                break;
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
        }
    }
    DeleteCacheFolder();
    errors_.FreeErrorList();
    busy_ = false;
}
