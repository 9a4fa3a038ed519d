#include <gtest/gtest.h>

#include "base/ControlDialog.h"
#include "MessageBox.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

HWND CreateOwner() {
    return ::CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

int CountClosedMessages(HWND owner) {
    int n = 0;
    MSG msg;
    while (::PeekMessageW(&msg, owner, WM_MSGBOX_CLOSED, WM_MSGBOX_CLOSED, PM_REMOVE)) ++n;
    return n;
}

}  // namespace

TEST(MessageBoxCounter, LastOfTwoOpenBoxesPostsExactlyOneClosedMessage) {
    CControlDialog counter;
    HWND owner = CreateOwner();
    counter.SetOwner(owner);
    int boxes = 0;
    // The second box opens while the first is still up, as when the camera
    // vanishes during a failure report.
    MessageBoxRecorder recorder;
    fw::SetMessageBoxHandler([&](HWND, const std::wstring&, const std::wstring&, UINT) {
        if (++boxes == 1) {
            counter.ShowMessageBox(nullptr, L"second", L"Pictavo", MB_OK);
            EXPECT_EQ(CountClosedMessages(owner), 0);
        }
        EXPECT_GE(counter.GetCount(), 1);
        return IDOK;
    });
    counter.ShowMessageBox(std::wstring(L"first"), MB_OK | MB_ICONERROR);
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(counter.GetCount(), 0);
    EXPECT_EQ(CountClosedMessages(owner), 1);
    ::DestroyWindow(owner);
}

TEST(MessageBoxCounter, OwnerMustBeALiveWindowOrNull) {
    CControlDialog counter;
    HWND owner = CreateOwner();
    counter.SetOwner(owner);
    counter.SetOwner(reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(counter.owner(), owner);
    counter.SetOwner(nullptr);
    EXPECT_EQ(counter.owner(), nullptr);
    counter.Increment();
    counter.Decrement();  // no owner: nothing to post to
    ::DestroyWindow(owner);
}

TEST(MessageBoxCounter, StringTableFormShowsTheTextWithTheApplicationCaption) {
    CControlDialog counter;
    MessageBoxRecorder recorder;
    counter.ShowMessageBox(155u, MB_OK | MB_ICONERROR);
    counter.ShowMessageBox(nullptr, L"own text", L"own caption", MB_ICONEXCLAMATION);
    ASSERT_EQ(recorder.boxes().size(), 2u);
    EXPECT_EQ(recorder.boxes()[0].text, L"Unable to acquire still image.");
    EXPECT_EQ(recorder.boxes()[0].caption, L"Pictavo");
    EXPECT_EQ(recorder.boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(recorder.boxes()[1].caption, L"own caption");
}
