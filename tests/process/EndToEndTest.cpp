// The real program on the camera stand-in, driven from outside as a user
// would: two captures, one turned, both saved through the system's dialog.
#include <gtest/gtest.h>

#include "AppProcess.h"
#include "Strings.h"
#include "TestSupport.h"
#include "Wait.h"
#include "resource.h"

using namespace testing_support;

namespace {

constexpr const wchar_t* kMainClass = L"__PICTAVO_CLASSNAME__";

std::vector<HWND> PictureWindows(HWND main) {
    std::vector<HWND> windows;
    HWND client = ::FindWindowExW(main, nullptr, L"MDIClient", nullptr);
    for (HWND child = ::GetWindow(client, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::IsWindowVisible(child)) windows.push_back(child);
    return windows;
}

// The program's save dialog: the enabled top-level dialog of its thread.
HWND FindDialog(DWORD processId) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w = ::FindWindowW(L"#32770", nullptr); w; w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(w, &pid);
            if (pid == processId && ::IsWindowVisible(w)) {
                found = w;
                return true;
            }
        }
        return false;
    });
    return found;
}

BOOL CALLBACK FindVisibleEdit(HWND child, LPARAM found) {
    wchar_t cls[16] = {};
    ::GetClassNameW(child, cls, 16);
    if (::lstrcmpiW(cls, L"Edit") != 0 || !::IsWindowVisible(child)) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// Types a name into the dialog's file name box and presses Save; empty when
// that worked, else what went wrong.
std::string SaveAs(DWORD processId, const std::wstring& name) {
    HWND dialog = FindDialog(processId);
    if (!dialog) return "no dialog";
    HWND edit = nullptr;
    WaitUntil([&] {
        // The one edit box of the dialog: the file name (inside its combo box).
        ::EnumChildWindows(dialog, FindVisibleEdit, reinterpret_cast<LPARAM>(&edit));
        return edit != nullptr;
    });
    if (!edit) return "no name box in " + fw::ToAnsi(WindowText(dialog) + L": " + MessageBoxText(dialog));
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    return WaitUntil([&] { return !::IsWindow(dialog); }) ? "" : "the dialog stayed open";
}

std::wstring Caption(HWND window) { return WindowText(window); }

// Width and height from a baseline JPEG's frame header.
std::pair<int, int> JpegSize(const std::string& jpeg) {
    size_t at = jpeg.find("\xFF\xC0");
    if (at == std::string::npos || at + 9 > jpeg.size()) return {0, 0};
    auto byte = [&](size_t i) { return static_cast<unsigned char>(jpeg[at + i]); };
    return {byte(7) << 8 | byte(8), byte(5) << 8 | byte(6)};
}

}  // namespace

TEST(EndToEnd, CapturesTurnsAndSavesTwoStills) {
    Installation install;
    // As installed: the codec library beside the program.
    ::CopyFileW((TestProgramFolder() + L"PictavoSIMD.dll").c_str(), (install.folder() + L"PictavoSIMD.dll").c_str(), FALSE);
    TempFolder out;
    RegistryValue output(HKEY_CURRENT_USER, L"SOFTWARE\\Vexa\\Pictavo (QZT)\\PictavoForPresentation\\ImgSection",
                         L"OutputFolder");
    output.SetString(out.path());
    AppProcess app(install);
    HWND main = app.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);

    ::PostMessageW(main, WM_COMMAND, ID_TOOL_STILL_CAPTURE, 0);
    ASSERT_TRUE(WaitUntil([&] { return PictureWindows(main).size() == 1; }));
    ::PostMessageW(main, WM_COMMAND, ID_TOOL_STILL_CAPTURE, 0);
    ASSERT_TRUE(WaitUntil([&] { return PictureWindows(main).size() == 2; }));
    EXPECT_EQ(Caption(PictureWindows(main)[0]).rfind(L"Untitled-2 ", 0), 0u) << Caption(PictureWindows(main)[0]).c_str();

    ::PostMessageW(main, WM_COMMAND, ID_ROTATE_CW, 0);  // the active, second capture
    ::PostMessageW(main, WM_COMMAND, ID_FILE_SAVE, 0);
    ASSERT_EQ(SaveAs(app.id(), L"turned.jpg"), "");
    ASSERT_TRUE(WaitUntil([&] { return Caption(PictureWindows(main)[0]).rfind(L"turned.jpg ", 0) == 0; }));

    ::PostMessageW(main, WM_COMMAND, ID_WINDOW_CASCADE, 0);
    ::SendMessageW(::FindWindowExW(main, nullptr, L"MDIClient", nullptr), WM_MDINEXT, 0, 0);
    ::PostMessageW(main, WM_COMMAND, ID_FILE_SAVE_AS, 0);
    ASSERT_EQ(SaveAs(app.id(), L"plain.bmp"), "");
    ASSERT_TRUE(WaitUntil([&] { return FileExists(out / L"plain.bmp"); }));

    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitForExit());

    std::string turned = ReadFileBytes(out / L"turned.jpg");
    std::string plain = ReadFileBytes(out / L"plain.bmp");
    ASSERT_GT(turned.size(), 1000u);
    EXPECT_EQ(turned.compare(0, 2, "\xFF\xD8"), 0);
    EXPECT_EQ(JpegSize(turned), std::make_pair(768, 1024));
    ASSERT_GT(plain.size(), 54u);
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(plain.data() + sizeof(BITMAPFILEHEADER));
    EXPECT_EQ(plain.compare(0, 2, "BM"), 0);
    EXPECT_EQ(info->biWidth, 1024);
    EXPECT_EQ(info->biHeight, 768);
    EXPECT_EQ(info->biBitCount, 24);
    std::string log = install.TraceLog();
    EXPECT_EQ(log.find("error occurred"), std::string::npos) << log;
}
