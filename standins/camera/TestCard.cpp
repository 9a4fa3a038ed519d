#include "TestCard.h"

#include <cmath>
#include <string>

#include "Bitmap24.h"
#include "Strings.h"

namespace standin {

namespace {
constexpr COLORREF kBars[] = {RGB(235, 235, 235), RGB(235, 235, 16), RGB(16, 235, 235), RGB(16, 235, 16),
                              RGB(235, 16, 235),  RGB(235, 16, 16),  RGB(16, 16, 235),  RGB(16, 16, 16)};
constexpr double kPi = 3.14159265358979323846;

void Fill(HDC dc, RECT r, COLORREF colour) {
    fw::GdiObject brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

// A hand from the centre at `fraction` of a full turn, clockwise from twelve.
void Hand(HDC dc, POINT centre, double fraction, int length, int width, COLORREF colour) {
    fw::GdiObject pen(::CreatePen(PS_SOLID, width, colour));
    HGDIOBJ old = ::SelectObject(dc, pen.get());
    double angle = fraction * 2 * kPi;
    ::MoveToEx(dc, centre.x, centre.y, nullptr);
    ::LineTo(dc, centre.x + static_cast<int>(std::lround(std::sin(angle) * length)),
             centre.y - static_cast<int>(std::lround(std::cos(angle) * length)));
    ::SelectObject(dc, old);
}

HFONT MakeFont(int height, int weight) {
    return ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FF_SWISS, L"Arial");
}
}  // namespace

TestCard::TestCard() : font_(MakeFont(56, FW_BOLD)), smallFont_(MakeFont(28, FW_NORMAL)) {}

void TestCard::Draw(Bitmap24& out, unsigned long frameNumber, const SYSTEMTIME& now) const {
    HDC dc = out.dc();
    int w = out.width(), h = out.height();
    DrawBars(dc, w, h);
    DrawGrid(dc, w, h);
    DrawMarker(dc, w, h, frameNumber);
    DrawClock(dc, POINT{w / 2, h / 2 - 40}, h / 5, now);
    DrawCaptions(dc, w, h, frameNumber, now);
    ::GdiFlush();  // the pixels are read directly next
}

void TestCard::DrawBars(HDC dc, int width, int height) const {
    int count = static_cast<int>(sizeof(kBars) / sizeof(kBars[0]));
    for (int i = 0; i < count; ++i)
        Fill(dc, RECT{i * width / count, 0, (i + 1) * width / count, height * 2 / 3}, kBars[i]);
    // A grey ramp below the bars shows what the iris does to every level.
    for (int i = 0; i < 16; ++i) {
        int level = i * 255 / 15;
        Fill(dc, RECT{i * width / 16, height * 2 / 3, (i + 1) * width / 16, height}, RGB(level, level, level));
    }
}

void TestCard::DrawGrid(HDC dc, int width, int height) const {
    fw::GdiObject pen(::CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
    HGDIOBJ old = ::SelectObject(dc, pen.get());
    for (int x = 0; x <= width; x += 64) {
        ::MoveToEx(dc, x, 0, nullptr);
        ::LineTo(dc, x, height);
    }
    for (int y = 0; y <= height; y += 64) {
        ::MoveToEx(dc, 0, y, nullptr);
        ::LineTo(dc, width, y);
    }
    ::SelectObject(dc, old);
}

void TestCard::DrawMarker(HDC dc, int width, int height, unsigned long frameNumber) const {
    // One sweep across the picture every 128 frames, so motion is visible.
    int x = static_cast<int>((frameNumber % 128) * static_cast<unsigned long>(width) / 128);
    Fill(dc, RECT{x, height * 2 / 3 - 24, x + 24, height * 2 / 3}, RGB(255, 128, 0));
}

void TestCard::DrawClock(HDC dc, POINT centre, int radius, const SYSTEMTIME& now) const {
    fw::GdiObject face(::CreateSolidBrush(RGB(250, 250, 250)));
    fw::GdiObject rim(::CreatePen(PS_SOLID, 4, RGB(0, 0, 0)));
    HGDIOBJ oldBrush = ::SelectObject(dc, face.get());
    HGDIOBJ oldPen = ::SelectObject(dc, rim.get());
    ::Ellipse(dc, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    for (int i = 0; i < 12; ++i) {
        double angle = i * kPi / 6;
        ::MoveToEx(dc, centre.x + static_cast<int>(std::sin(angle) * radius * 0.85),
                   centre.y - static_cast<int>(std::cos(angle) * radius * 0.85), nullptr);
        ::LineTo(dc, centre.x + static_cast<int>(std::sin(angle) * radius * 0.95),
                 centre.y - static_cast<int>(std::cos(angle) * radius * 0.95));
    }
    double seconds = now.wSecond + now.wMilliseconds / 1000.0;
    double minutes = now.wMinute + seconds / 60;
    Hand(dc, centre, ((now.wHour % 12) + minutes / 60) / 12, radius / 2, 10, RGB(0, 0, 0));
    Hand(dc, centre, minutes / 60, radius * 3 / 4, 6, RGB(0, 0, 0));
    Hand(dc, centre, seconds / 60, radius * 9 / 10, 2, RGB(220, 0, 0));
}

void TestCard::DrawCaptions(HDC dc, int width, int height, unsigned long frameNumber,
                            const SYSTEMTIME& now) const {
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, RGB(0, 0, 0));
    ::SetTextColor(dc, RGB(255, 255, 255));
    HGDIOBJ old = ::SelectObject(dc, font_.get());
    std::wstring time = fw::Format(L" %02u:%02u:%02u.%03u ", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    RECT timeBox{0, height * 2 / 3 + 20, width, height * 2 / 3 + 90};
    ::DrawTextW(dc, time.c_str(), -1, &timeBox, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(dc, smallFont_.get());
    std::wstring counter = fw::Format(L" KORVO  frame %06lu ", frameNumber);
    RECT counterBox{0, height - 60, width, height - 20};
    ::DrawTextW(dc, counter.c_str(), -1, &counterBox, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(dc, old);
}

}  // namespace standin
