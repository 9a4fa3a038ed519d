#include <gtest/gtest.h>

#include "FrameHarness.h"

using namespace testing_support;

using MdiChildFrame = FrameTest;

TEST_F(MdiChildFrame, OpensHiddenUntilShownThenBecomesActive) {
    auto opened = Open(/*visible=*/false);
    ASSERT_TRUE(opened);
    EXPECT_FALSE(::IsWindowVisible(opened.frame->hwnd()));
    EXPECT_EQ(opened.document->views(), std::vector<fw::View*>{opened.view});
    EXPECT_EQ(::GetParent(opened.view->hwnd()), opened.frame->hwnd());
    opened.frame->Show();
    EXPECT_TRUE(::IsWindowVisible(opened.frame->hwnd()));
    EXPECT_EQ(frame->ActiveMdiChild(), opened.frame);
    EXPECT_EQ(ViewOf(opened)->hints, std::vector<LPARAM>{0});  // the initial update
}

TEST_F(MdiChildFrame, ShowsItsTemplateMenuWhileActiveAndTheFrameMenuAfterwards) {
    HMENU own = ::GetMenu(frame->hwnd());
    HMENU childMenu = BuildMenu({{L"&Image", {{200, L"Rotate"}}}, {L"&Window", {{0xE132, L"&Cascade"}}}});
    docTemplate->SetMenu(childMenu);
    auto opened = Open();
    EXPECT_EQ(::GetMenu(frame->hwnd()), childMenu);
    ::SendMessageW(opened.frame->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(::GetMenu(frame->hwnd()), own);
    EXPECT_TRUE(docTemplate->documents().empty());
}

TEST_F(MdiChildFrame, ModifiedDocumentThatRefusesKeepsItsFrame) {
    auto opened = Open();
    DocOf(opened)->SetModifiedFlag();
    DocOf(opened)->allowClose = false;
    ::SendMessageW(opened.frame->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_TRUE(::IsWindow(opened.frame->hwnd()));
    DocOf(opened)->allowClose = true;
    HWND child = opened.frame->hwnd();
    ::SendMessageW(child, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(child));
}

TEST_F(MdiChildFrame, UpdateAllViewsSkipsTheSenderAndCarriesTheHint) {
    auto opened = Open();
    TestView* view = ViewOf(opened);
    view->hints.clear();
    opened.document->UpdateAllViews(nullptr, 7);
    opened.document->UpdateAllViews(view, 8);
    EXPECT_EQ(view->hints, std::vector<LPARAM>{7});
}
