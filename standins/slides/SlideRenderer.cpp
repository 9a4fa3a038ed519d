#include "SlideRenderer.h"

#include <algorithm>

#include "JpegEncoder.h"
#include "PictureDecoder.h"

namespace slides {

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kTitleInk = RGB(31, 56, 100);
constexpr COLORREF kBodyInk = RGB(20, 20, 20);
constexpr int kJpegQuality = 90;
// Sizes on a 768-pixel-high page; other sizes scale with the height.
constexpr int kDesignHeight = 768, kTitleFont = 48, kBodyFont = 28, kMargin = 40, kTitleBottom = 170;

class PageMetrics {
public:
    explicit PageMetrics(SIZE size) : size_(size) {}
    int Scale(int design) const { return std::max(1, static_cast<int>(static_cast<long long>(design) * size_.cy / kDesignHeight)); }
    SIZE size() const { return size_; }

private:
    SIZE size_;
};

fw::GdiObject MakeFont(int height, int weight) {
    return fw::GdiObject(::CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                       DEFAULT_PITCH | FF_SWISS, L"Arial"));
}

// Framed pictures go where the slide puts them; others share the lower half, aspect kept.
RECT PictureRect(const SlidePicture& picture, HBITMAP bitmap, SlideSize layout, const PageMetrics& page) {
    const SIZE size = page.size();
    if (picture.framed) {
        auto x = [&](long long v) { return static_cast<LONG>(v * size.cx / layout.width); };
        auto y = [&](long long v) { return static_cast<LONG>(v * size.cy / layout.height); };
        return {x(picture.frame.x), y(picture.frame.y), x(picture.frame.x + picture.frame.cx),
                y(picture.frame.y + picture.frame.cy)};
    }
    BITMAP bm{};
    ::GetObjectW(bitmap, sizeof(bm), &bm);
    RECT box{size.cx / 4, size.cy / 2, size.cx * 3 / 4, size.cy - page.Scale(kMargin)};
    double scale = std::min(double(box.right - box.left) / std::max(1L, bm.bmWidth),
                            double(box.bottom - box.top) / std::max(1L, bm.bmHeight));
    LONG w = static_cast<LONG>(bm.bmWidth * scale), h = static_cast<LONG>(bm.bmHeight * scale);
    LONG left = (box.left + box.right - w) / 2, top = (box.top + box.bottom - h) / 2;
    return {left, top, left + w, top + h};
}

void DrawPictures(const SlideContent& slide, SlideSize layout, const PageMetrics& page, HDC dc) {
    for (const SlidePicture& picture : slide.pictures) {
        fw::GdiObject bitmap = DecodePicture(picture.data);
        if (!bitmap) continue;  // an undecodable picture leaves its frame empty, as editors do
        HBITMAP handle = static_cast<HBITMAP>(bitmap.get());
        fw::StretchBitmap(dc, PictureRect(picture, handle, layout, page), handle);
    }
}

// Draws `text` word-wrapped from the top of `area` and moves the top below it.
void DrawBlock(HDC dc, const std::wstring& text, RECT& area, UINT alignment) {
    const UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | alignment;
    RECT measured = area;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    RECT target{area.left, area.top, area.right, std::min(area.bottom, measured.bottom)};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &target, format);
    area.top = measured.bottom;
}

void DrawTexts(const SlideContent& slide, const PageMetrics& page, HDC dc) {
    const SIZE size = page.size();
    const int margin = page.Scale(kMargin);
    ::SetBkMode(dc, TRANSPARENT);
    RECT area{margin, margin, size.cx - margin, size.cy - margin};
    if (!slide.title.empty()) {
        fw::GdiObject font = MakeFont(page.Scale(kTitleFont), FW_BOLD);
        fw::SelectedObject selected(dc, font.get());
        ::SetTextColor(dc, kTitleInk);
        DrawBlock(dc, slide.title, area, DT_CENTER);
        area.top = std::max(area.top, static_cast<LONG>(page.Scale(kTitleBottom)));
    }
    fw::GdiObject font = MakeFont(page.Scale(kBodyFont), FW_NORMAL);
    fw::SelectedObject selected(dc, font.get());
    ::SetTextColor(dc, kBodyInk);
    for (const std::wstring& paragraph : slide.body) {
        if (area.top >= area.bottom) break;
        DrawBlock(dc, L"\u2022 " + paragraph, area, DT_LEFT);
        area.top += page.Scale(kBodyFont) / 3;
    }
}

}  // namespace

void RenderSlide(const SlideContent& slide, SlideSize layout, fw::Surface& page) {
    const PageMetrics metrics(page.size());
    HDC dc = page.dc();
    RECT all{0, 0, metrics.size().cx, metrics.size().cy};
    fw::GdiObject paper(::CreateSolidBrush(kPaper));
    ::FillRect(dc, &all, static_cast<HBRUSH>(paper.get()));
    DrawPictures(slide, layout, metrics, dc);
    DrawTexts(slide, metrics, dc);
    ::GdiFlush();
}

bool ExportSlideAsJpeg(const SlideContent& slide, SlideSize layout, SIZE size, const wchar_t* path) {
    fw::Surface page;
    if (!page.Create(nullptr, size, fw::SurfaceFormat::BottomUpDib24)) return false;
    RenderSlide(slide, layout, page);
    return device::SaveDibAsJpeg(path, page.bitmap(), kJpegQuality);
}

}  // namespace slides
