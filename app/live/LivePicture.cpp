#include "live/LivePicture.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "base/AppMessages.h"
#include "base/TraceLog.h"
#include "live/AnimeDoc.h"
#include "picture/FullScreenWnd.h"
#include "picture/ViewData.h"
#include "resource.h"

namespace {

using Guard = std::lock_guard<fw::CriticalSection>;

constexpr const wchar_t* kLoadSource = L"CAnimeView::LoadPicture";

const wchar_t* FailedStep(fw::Surface::Failure failure) {
    switch (failure) {
    case fw::Surface::Failure::CreateDc: return L"CreateCompatibleDC";
    case fw::Surface::Failure::CreateBitmap: return L"CreateCompatibleBitmap";
    default: return L"SelectObject";
    }
}

// A bottom-up DIB section as StretchDIBits reads it.
struct DibPixels {
    const void* bits = nullptr;
    BITMAPINFO info{};
    SIZE size{0, 0};
};

bool ReadDib(HBITMAP bitmap, DibPixels* dib) {
    DIBSECTION ds{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits) return false;
    dib->bits = ds.dsBm.bmBits;
    dib->info.bmiHeader = ds.dsBmih;
    dib->size = SIZE{ds.dsBm.bmWidth, ds.dsBm.bmHeight};
    return true;
}

HBITMAP DocumentBitmap(CAnimeDoc* doc) {
    CViewData* data = doc ? doc->viewData() : nullptr;
    return data ? data->GetPicture().bitmap : nullptr;
}

bool DocumentPicture(CAnimeDoc* doc, DibPixels* dib) { return ReadDib(DocumentBitmap(doc), dib); }

// The document's picture read without the picture lock: pinned while this
// lives, so that no decode writes into it meanwhile.
class PinnedPicture {
public:
    explicit PinnedPicture(CFrameBitmaps& bitmaps) : bitmaps_(bitmaps) {}
    ~PinnedPicture() {
        if (pinned_) bitmaps_.Unpin();
    }
    PinnedPicture(const PinnedPicture&) = delete;
    PinnedPicture& operator=(const PinnedPicture&) = delete;

    // Under the picture lock; false when there is no picture to read.
    bool Pin(CAnimeDoc* doc) {
        const HBITMAP bitmap = DocumentBitmap(doc);
        if (!ReadDib(bitmap, &dib_)) return false;
        bitmaps_.Pin(bitmap);
        pinned_ = true;
        return true;
    }
    bool pinned() const { return pinned_; }
    const DibPixels& dib() const { return dib_; }

private:
    CFrameBitmaps& bitmaps_;
    DibPixels dib_;
    bool pinned_ = false;
};

// The part of the picture that an area of `out` shows at `zoom`, its top
// left at picture pixel `from` / zoom, stretched straight from the decoded
// bits into the area's top left. `covered`: how much of the area it took;
// false when the stretch failed.
bool DrawZoomed(HDC dc, const DibPixels& dib, SIZE out, double zoom, POINT from, SIZE* covered) {
    *covered = SIZE{0, 0};
    const double unzoom = 1.0 / zoom;
    const int x = static_cast<int>(from.x * unzoom), y = static_cast<int>(from.y * unzoom);
    const int wanted = static_cast<int>(out.cx * unzoom), wantedRows = static_cast<int>(out.cy * unzoom);
    const int width = std::min<int>(wanted, dib.size.cx - x), height = std::min<int>(wantedRows, dib.size.cy - y);
    if (width <= 0 || height <= 0 || x < 0 || y < 0) return true;
    const SIZE to{width == wanted ? out.cx : static_cast<LONG>(width * zoom),
                  height == wantedRows ? out.cy : static_cast<LONG>(height * zoom)};
    if (zoom < 1.0) {
        ::SetStretchBltMode(dc, HALFTONE);
        ::SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE requires it after the mode change
    } else {
        ::SetStretchBltMode(dc, COLORONCOLOR);
    }
    // Bottom-up bits: the source rectangle's y counts from the last row.
    const int rows = ::StretchDIBits(dc, 0, 0, to.cx, to.cy, x, dib.size.cy - y - height, width, height, dib.bits,
                                     &dib.info, DIB_RGB_COLORS, SRCCOPY);
    if (rows == 0) return false;
    *covered = to;
    return true;
}

// Nothing is erased, so what the picture does not cover is blackened.
void BlackenOutside(HDC dc, SIZE covered, SIZE area) {
    if (area.cx > covered.cx) ::PatBlt(dc, covered.cx, 0, area.cx - covered.cx, area.cy, BLACKNESS);
    if (area.cy > covered.cy) ::PatBlt(dc, 0, covered.cy, std::min(covered.cx, area.cx), area.cy - covered.cy, BLACKNESS);
}

}  // namespace

void CLivePicture::Bind(CAnimeDoc* doc, HWND view, HWND frame) {
    Guard guard(lock_);
    doc_ = doc;
    view_ = view;
    frame_ = frame;
}

bool CLivePicture::OnViewThread() const { return ::GetWindowThreadProcessId(view_, nullptr) == ::GetCurrentThreadId(); }

void CLivePicture::PostFailure(UINT stringId) const {
    if (frame_) ::PostMessageW(frame_, WM_LIVE_FAILED, stringId, 0);
}

// ---- surfaces ---------------------------------------------------------------

bool CLivePicture::MakeSurface(fw::Surface& surface) {
    if (surface.dc()) return true;
    fw::WindowDC client(view_);
    if (client && surface.Create(client.get(), SIZE{1, 1})) return true;
    WriteTraceLogStep(kTraceApp, L"CAnimeView::CreateMemoryDC",
                      client ? FailedStep(surface.failure()) : L"CreateCompatibleDC");
    PostFailure(IDS_INTERNAL_ERROR);
    return false;
}

bool CLivePicture::ResizeSurface(fw::Surface& surface, SIZE size) {
    size = SIZE{std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1)};
    const SIZE now = surface.size();
    // Every pixel is drawn over anyway; a bitmap of the right size stays.
    if (now.cx == size.cx && now.cy == size.cy) return true;
    fw::WindowDC client(view_);
    if (client && surface.Resize(size, fw::SurfaceFormat::Compatible, client.get())) {
        ::PatBlt(surface.dc(), 0, 0, size.cx, size.cy, BLACKNESS);
        return true;
    }
    WriteTraceLogStep(kTraceApp, L"CAnimeView::ResizeMemoryDC",
                      client ? FailedStep(surface.failure()) : L"CreateCompatibleBitmap");
    PostFailure(IDS_INTERNAL_ERROR);
    return false;
}

bool CLivePicture::SizeSurface(fw::Surface& surface, SIZE size, const wchar_t* source) {
    if (!MakeSurface(surface)) {
        WriteTraceLogStep(kTraceApp, source, L"CreateMemoryDC[1]");
        return false;
    }
    if (!ResizeSurface(surface, size)) {
        WriteTraceLogStep(kTraceApp, source, L"ResizeMemoryDC");
        return false;
    }
    return true;
}

bool CLivePicture::ResizeBackBuffer(SIZE client) {
    Guard guard(lock_);
    return SizeSurface(back_, client, L"CAnimeView::OnResizeDC");
}

bool CLivePicture::RenderBackBuffer() {
    Guard guard(lock_);
    return PaintsDirectly() || RenderBackBufferLocked();
}

// Under the lock. At a display zoom of 1.0 the window is painted straight
// from the decoded bits, one copy; only other zooms and full screen need a
// stretched copy kept.
bool CLivePicture::PaintsDirectly() const { return !fullScreen_ && doc_ && doc_->GetZoom() == 1.0; }

// The back buffer from the decoded picture at the display zoom and scroll
// position; false when the stretch failed.
bool CLivePicture::RenderBackBufferLocked() {
    // While full screen the picture is at full size, not the window's; the
    // back buffer keeps the last frame the window showed.
    if (!back_.dc() || fullScreen_) return true;
    const SIZE out = back_.size();
    double zoom = doc_ ? doc_->GetZoom() : 1.0;
    if (!(zoom > 0)) zoom = 1.0;
    DibPixels dib;
    SIZE covered{0, 0};
    const bool drawn = !DocumentPicture(doc_, &dib) || DrawZoomed(back_.dc(), dib, out, zoom, scroll(), &covered);
    BlackenOutside(back_.dc(), covered, out);
    frameInBackBuffer_ = framesDrawn_;
    return drawn;
}

void CLivePicture::Paint(HDC dc, SIZE client) const {
    PinnedPicture picture(bitmaps_);
    POINT from{0, 0};
    long frame = 0;
    {
        Guard guard(lock_);
        if (!PaintsDirectly()) {
            PaintBackBuffer(dc, client);
            return;
        }
        picture.Pin(doc_);
        from = scroll();
        frame = framesDrawn_;
    }
    SIZE covered{0, 0};
    if (picture.pinned()) DrawZoomed(dc, picture.dib(), client, 1.0, from, &covered);
    frameOnScreen_ = frame;
    BlackenOutside(dc, covered, client);
}

// Under the lock.
void CLivePicture::PaintBackBuffer(HDC dc, SIZE client) const {
    SIZE covered{0, 0};
    if (back_.dc()) {
        covered = back_.size();
        ::BitBlt(dc, 0, 0, covered.cx, covered.cy, back_.dc(), 0, 0, SRCCOPY);
        // While full screen this window is out of sight; that one shows the frames.
        if (!fullScreen_) frameOnScreen_ = frameInBackBuffer_;
    }
    BlackenOutside(dc, covered, client);
}

// ---- frames -----------------------------------------------------------------

int CLivePicture::LoadPicture(const void* data, DWORD length, int* outcome) {
    const int scale = decodeScale_;
    // Decoded before the lock is taken, so that painting waits for the lock
    // only while the new picture is put in place and drawn; into a bitmap
    // of an earlier frame that no paint reads any more.
    PictureRecord fresh;
    fresh.bitmap = bitmaps_.Take();
    const int decoded = doc_ ? doc_->DecodeFrame(data, length, scale, &fresh) : 0;
    Redraw redraw = Redraw::kNothing;
    int result;
    {
        Guard guard(lock_);
        result = TakeFrame(decoded, scale, fresh, &redraw);
    }
    // The picture this frame replaced, or the frame itself when it was not taken.
    bitmaps_.Give(std::exchange(fresh.bitmap, nullptr));
    result = Present(redraw, result);
    if (outcome) *outcome = result;
    return result == kShown ? 1 : 0;
}

int CLivePicture::ShowPicture() {
    Redraw redraw = Redraw::kNothing;
    int result;
    {
        Guard guard(lock_);
        result = Render(&redraw);
    }
    return Present(redraw, result);
}

// Under the lock: the decoded frame in place of the document's picture, and drawn.
int CLivePicture::TakeFrame(int decoded, int scale, PictureRecord& frame, Redraw* redraw) {
    if (decoded && scale != decodeScale_) {
        // The scale changed meanwhile and the kept frame is shown at the new
        // one already; this frame would only bring the old one back.
        return kShown;
    }
    const int oldWidth = doc_ ? doc_->GetPictureWidth() : 0;
    if (!doc_ || !doc_->SetFrame(decoded, frame)) {
        WriteTraceLogStep(kTraceApp, kLoadSource, L"LoadPicture()");
        return kNotDecodable;
    }
    if (doc_->GetPictureWidth() != oldWidth) {
        if (frame_) ::PostMessageW(frame_, WM_PICTURE_SIZE_CHANGED, scale, 0);
        ::PostMessageW(view_, WM_RESET_SCROLL, 0, 0);
    }
    return Render(redraw);
}

// Under the lock. In the window the decoded picture is what the next paint
// shows (stretched into the back buffer first at other zooms than 1.0);
// full screen stretches it straight into its window, on the view's thread.
int CLivePicture::Render(Redraw* redraw) {
    if (fullScreen_) {
        ++framesDrawn_;
        *redraw = Redraw::kFullScreen;
        return kShown;
    }
    ++framesDrawn_;
    // Into the back buffer before the repaint, so the repaint shows this
    // frame rather than the one before.
    if (!PaintsDirectly() && !RenderBackBufferLocked())
        WriteTraceLogStep(kTraceApp, L"CAnimeView::OnUpdate", L"StretchBlt");
    *redraw = Redraw::kWindow;
    return kShown;
}

// Without the lock: the view's thread may be waiting for it.
int CLivePicture::Present(Redraw redraw, int result) {
    if (!view_) return result;
    if (redraw == Redraw::kWindow) return Repaint();
    if (redraw == Redraw::kFullScreen) return AskFullScreenDraw();
    return result;
}

// Painted at once on the window's own thread, while the decode thread only
// invalidates. Waiting there for the user-interface thread to paint
// deadlocks whenever that thread waits for a lock the decode thread holds
// around this call (the kept frame's record lock does).
int CLivePicture::Repaint() {
    // No erase: the paint covers every pixel.
    UINT redraw = RDW_INVALIDATE;
    if (OnViewThread()) redraw |= RDW_UPDATENOW;
    if (!::RedrawWindow(view_, nullptr, nullptr, redraw)) {
        WriteTraceLogStep(kTraceApp, kLoadSource, L"RedrawWindow()");
        PostFailure(IDS_INTERNAL_ERROR);
        return kNotDrawn;
    }
    return kShown;
}

int CLivePicture::AskFullScreenDraw() {
    if (OnViewThread()) {
        ::SendMessageW(view_, WM_DRAW_FULL_SCREEN, 0, 0);
    } else if (!fullScreenDrawPending_.exchange(true) && !::PostMessageW(view_, WM_DRAW_FULL_SCREEN, 0, 0)) {
        fullScreenDrawPending_ = false;
    }
    return fullScreenFailed_.exchange(false) ? kNotDrawn : kShown;
}

void CLivePicture::DrawFullScreen(CFullScreenWnd* window) {
    // Cleared before the picture is read, so a frame drawn meanwhile asks again.
    fullScreenDrawPending_ = false;
    {
        Guard guard(lock_);
        if (!window || !doc_ || doc_->GetPictureWidth() <= 0) return;
    }
    if (window->DrawPicture()) return;
    WriteTraceLogStep(kTraceApp, kLoadSource, L"m_pFullWnd->DrawPicture()");
    fullScreenFailed_ = true;
}

bool CLivePicture::StretchFullScreen(HDC dc, const RECT& client) const {
    PinnedPicture picture(bitmaps_);
    long frame = 0;
    {
        Guard guard(lock_);
        picture.Pin(doc_);
        frame = framesDrawn_;
    }
    if (!picture.pinned()) {
        ::PatBlt(dc, 0, 0, client.right, client.bottom, BLACKNESS);
        return true;
    }
    const DibPixels& dib = picture.dib();
    const RECT t = PrepareFullScreen(dc, client, dib.size).target;
    if (!::StretchDIBits(dc, t.left, t.top, t.right - t.left, t.bottom - t.top, 0, 0, dib.size.cx, dib.size.cy,
                         dib.bits, &dib.info, DIB_RGB_COLORS, SRCCOPY))
        return false;
    frameOnScreen_ = frame;
    return true;
}

// ---- scale, zoom and scroll -------------------------------------------------

void CLivePicture::SetDecodeScale(int denominator) {
    Guard guard(lock_);
    savedScale_ = std::max(denominator, 1);
    decodeScale_ = fullScreen_ ? 1 : savedScale_;
    if (doc_) doc_->SetZoom(1.0);
}

void CLivePicture::EnterFullScreen() {
    Guard guard(lock_);
    // The window behind keeps showing the last frame from the back buffer,
    // and the full-screen window starts from the picture at hand.
    if (PaintsDirectly() && !RenderBackBufferLocked())
        WriteTraceLogStep(kTraceApp, L"CAnimeView::OnUpdate", L"StretchBlt");
    savedScale_ = decodeScale_;
    decodeScale_ = 1;
    fullScreen_ = true;
}

void CLivePicture::LeaveFullScreen(int denominator) {
    Guard guard(lock_);
    fullScreen_ = false;
    decodeScale_ = denominator > 0 ? denominator : savedScale_;
}

void CLivePicture::SetZoom(double zoom) {
    Guard guard(lock_);
    if (doc_) doc_->SetZoom(zoom);
}

double CLivePicture::zoom() const {
    Guard guard(lock_);
    return doc_ ? doc_->GetZoom() : 1.0;
}

POINT CLivePicture::scroll() const {
    Guard guard(lock_);
    CViewData* data = doc_ ? doc_->viewData() : nullptr;
    return data ? POINT{data->GetScrollPosition(SB_HORZ), data->GetScrollPosition(SB_VERT)} : POINT{0, 0};
}

void CLivePicture::SetScroll(int bar, int position) {
    Guard guard(lock_);
    if (CViewData* data = doc_ ? doc_->viewData() : nullptr) data->SetScrollPosition(bar, position);
}
