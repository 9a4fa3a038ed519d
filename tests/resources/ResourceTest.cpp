#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "resource.h"

// The test program links the application's own resource object.
namespace {

HMODULE Module() { return ::GetModuleHandleW(nullptr); }

const BYTE* ResourceBytes(LPCWSTR type, int id, DWORD* size = nullptr) {
    HRSRC found = ::FindResourceW(Module(), MAKEINTRESOURCEW(id), type);
    if (size) *size = found ? ::SizeofResource(Module(), found) : 0;
    return found ? static_cast<const BYTE*>(::LockResource(::LoadResource(Module(), found))) : nullptr;
}

// The TOOLBAR resource, in words: version, button width and height, count,
// then the command of each item (0 for a separator).
const WORD* Toolbar(DWORD* size = nullptr) {
    return reinterpret_cast<const WORD*>(ResourceBytes(MAKEINTRESOURCEW(241), IDR_MAINFRAME, size));
}

std::vector<WORD> ToolbarButtons() {
    const WORD* toolbar = Toolbar();
    std::vector<WORD> buttons;
    for (WORD i = 0; toolbar && i < toolbar[3]; ++i) {
        if (toolbar[4 + i] != 0) buttons.push_back(toolbar[4 + i]);
    }
    return buttons;
}

// Width, height and bit depth of a bitmap resource as the program loads it.
BITMAP LoadedBitmap(int id) {
    BITMAP info{};
    HANDLE bitmap = ::LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (bitmap) {
        ::GetObjectW(bitmap, sizeof info, &info);
        ::DeleteObject(bitmap);
    }
    return info;
}

// The image sizes an icon resource offers, from its group directory.
std::set<int> IconSizes(int id) {
    const BYTE* group = ResourceBytes(RT_GROUP_ICON, id);
    std::set<int> sizes;
    if (!group) return sizes;
    const WORD count = reinterpret_cast<const WORD*>(group)[2];
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;  // packed GRPICONDIRENTRY
        EXPECT_EQ(entry[0], entry[1]) << "icon " << id << " has a square image";
        sizes.insert(entry[0] == 0 ? 256 : entry[0]);
    }
    return sizes;
}

}  // namespace

TEST(Resources, ToolbarStripHasOneSixteenByFifteenButtonPerCommand) {
    DWORD size = 0;
    const WORD* toolbar = Toolbar(&size);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar[0], 1);
    EXPECT_EQ(size, sizeof(WORD) * (4u + toolbar[3])) << "the item count matches the items";
    EXPECT_EQ(toolbar[1], 16);
    EXPECT_EQ(toolbar[2], 15);
    BITMAP strip = LoadedBitmap(IDR_MAINFRAME);
    EXPECT_EQ(strip.bmWidth, 16 * static_cast<LONG>(ToolbarButtons().size()));
    EXPECT_EQ(strip.bmHeight, 15);
    EXPECT_EQ(strip.bmBitsPixel, 24);
}

TEST(Resources, EveryToolbarCommandHasAStatusTextAndAToolTip) {
    ASSERT_FALSE(ToolbarButtons().empty());
    for (WORD command : ToolbarButtons()) {
        wchar_t text[256] = {};
        ::LoadStringW(Module(), command, text, 256);
        std::wstring prompt(text);
        const size_t newline = prompt.find(L'\n');
        EXPECT_TRUE(newline != std::wstring::npos && newline > 0 && newline + 1 < prompt.size())
            << "command 0x" << std::hex << command;
    }
}

TEST(Resources, BitmapsHaveTheSizesTheirWindowsDrawThemAt) {
    struct Case {
        int id;
        LONG width, height;
    } cases[] = {
        {IDB_REMOTE_BACKGROUND, 240, 120}, {IDB_LINE_KINDS, 180, 14},
        {IDB_IRIS_NORMAL, 34, 33},  {IDB_IRIS_NORMAL_DOWN, 34, 33}, {IDB_IRIS_OPEN, 34, 33},
        {IDB_IRIS_OPEN_DOWN, 34, 33}, {IDB_IRIS_CLOSE, 34, 33},    {IDB_IRIS_CLOSE_DOWN, 34, 33},
        {IDB_FOCUS_NEAR, 34, 33},   {IDB_FOCUS_NEAR_DOWN, 34, 33}, {IDB_FOCUS_FAR, 34, 33},
        {IDB_FOCUS_FAR_DOWN, 34, 33}, {IDB_AF, 34, 33},            {IDB_AF_DOWN, 34, 33},
        {IDB_ZOOM_TELE, 34, 33},    {IDB_ZOOM_TELE_DOWN, 34, 33}, {IDB_ZOOM_WIDE, 34, 33},
        {IDB_ZOOM_WIDE_DOWN, 34, 33},
    };
    for (const Case& c : cases) {
        BITMAP bitmap = LoadedBitmap(c.id);
        EXPECT_EQ(bitmap.bmWidth, c.width) << "bitmap " << c.id;
        EXPECT_EQ(bitmap.bmHeight, c.height) << "bitmap " << c.id;
        EXPECT_EQ(bitmap.bmBitsPixel, 24) << "bitmap " << c.id;
    }
}

TEST(Resources, CursorsAreThirtyTwoPixelsWithTheirHotSpots) {
    struct Case {
        int id;
        DWORD x, y;
    } cases[] = {
        {IDC_HAND_OPEN, 8, 8},     {IDC_HAND_CLOSED, 8, 8},    {IDC_PEN, 0, 15},
        {IDC_ERASER_SMALL, 0, 0}, {IDC_ERASER_MEDIUM, 0, 0}, {IDC_ERASER_LARGE, 0, 0},
    };
    for (const Case& c : cases) {
        HCURSOR cursor = ::LoadCursorW(Module(), MAKEINTRESOURCEW(c.id));
        ICONINFO info{};
        ASSERT_TRUE(cursor && ::GetIconInfo(cursor, &info)) << "cursor " << c.id;
        BITMAP mask{};
        ::GetObjectW(info.hbmMask, sizeof mask, &mask);
        // A monochrome cursor's mask holds the AND and XOR halves one above the other.
        EXPECT_EQ(mask.bmWidth, 32) << "cursor " << c.id;
        EXPECT_EQ(mask.bmHeight, info.hbmColor ? 32 : 64) << "cursor " << c.id;
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, c.x) << "cursor " << c.id;
        EXPECT_EQ(info.yHotspot, c.y) << "cursor " << c.id;
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
    }
}

TEST(Resources, IconsOfferTheSizesTheyAreShownAt) {
    const std::set<int> window{16, 32};
    const std::set<int> paletteButton{20};
    struct Case {
        int id;
        std::set<int> sizes;
    } cases[] = {
        {IDR_MAINFRAME, {16, 32, 48}}, {IDI_IMAGE_FRAME, window},     {IDI_LIVE_FRAME, window},
        {IDI_FREE_LINE, paletteButton}, {IDI_LINE, paletteButton},      {IDI_RECTANGLE, paletteButton},
        {IDI_HORIZONTAL, paletteButton}, {IDI_VERTICAL, paletteButton}, {IDI_ERASER, paletteButton},
        {IDI_ERASE_AREA, paletteButton}, {IDI_ERASE_ALL, paletteButton},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IconSizes(c.id), c.sizes) << "icon " << c.id;
    }
}
