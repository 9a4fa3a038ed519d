// The camera's play list: the line rules as plain functions, then the play
// order list against the stand-in's card (load, register, reorder).
#include <gtest/gtest.h>

#include "CardFixture.h"
#include "Strings.h"
#include "TestSupport.h"
#include "Wait.h"
#include "resource.h"
#include "sdview/PlayListRules.h"
#include "sdview/SlidePlayList.h"

namespace {

using testing_support::MessageBoxRecorder;

TEST(PlayListRules, CodesAndPathsFollowTheCamerasRules) {
    struct Code {
        const wchar_t* text;
        int effect, interval;
    } codes[] = {{L"SE11", 11, 0}, {L"SE21", 20, 0}, {L"SEx", 20, 0}, {L"E5", 20, 0}, {L"SE", 0, 0},
                 {L"", 20, 0},     {L"SE020", 20, 0}, {L"SE99999999999", 20, 0}};
    for (const Code& c : codes) EXPECT_EQ(ParseCode(c.text, L"SE", 20, 20), c.effect) << c.text;
    EXPECT_EQ(ParseCode(L"SI2", L"SI", 4, 0), 2);
    EXPECT_EQ(ParseCode(L"SI7", L"SI", 4, 0), 0);
    EXPECT_STREQ(EffectName(11), L"Fade in/out");
    EXPECT_STREQ(IntervalText(2), L"10");

    struct Path {
        const wchar_t* path;
        const wchar_t* shown;
    } paths[] = {
        {L"C:\\DCIM\\100ABCDE\\IMAG0001.JPG", L"100ABCDE\\IMAG0001.JPG"},
        {L"C:\\DCIM\\099ABCDE\\IMAG0001.JPG", L""},          // folder number below 100
        {L"C:\\DCIM\\100ABCD\\IMAG0001.JPG", L""},           // 7 characters
        {L"C:\\DCIM\\100ABCDE\\101ABCDE\\IMAG0001.JPG", L""},  // two levels below DCIM
        {L"C:\\DCIM\\100ABCDE\\IMAG00001234.JPG", L""},      // 33 characters
        {L"C:\\PICS\\100ABCDE\\IMAG0001.JPG", L""},
        {L"C:\\DCIM\\100ABCDE", L""},
        {L"", L""},
    };
    for (const Path& p : paths) EXPECT_EQ(PlayListDisplayName(p.path), p.shown) << p.path;
}

TEST(PlayListRules, LinesSplitIntoThreeFieldsAndCachePathsDropColonsAndBackslashes) {
    const auto lines = SplitPlayList("a,SE1,SI2\r\nb,SE3\r\nc,SE4,SI1,extra,more\r\nlast");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (PlayListFields{L"a", L"SE1", L"SI2"}));
    EXPECT_EQ(lines[1], (PlayListFields{L"b", L"SE3", L""}));
    EXPECT_EQ(lines[2], (PlayListFields{L"c", L"SE4", L"SI1"}));
    EXPECT_EQ(lines[3], (PlayListFields{L"last", L"", L""}));
    EXPECT_TRUE(SplitPlayList("").empty());
    EXPECT_EQ(PlayListLine(L"C:\\DCIM\\100ABCDE\\IMAG0001.JPG", 11, 2), L"C:\\DCIM\\100ABCDE\\IMAG0001.JPG,SE11,SI2\r\n");
    EXPECT_EQ(CacheFolderName(L"C:\\DCIM\\100ABCDE"), L"CDCIM100ABCDE");
    EXPECT_EQ(CachedThumbnailPath(L"R", L"C:\\DCIM\\100ABCDE\\IMAG0001.JPG"), L"R\\CDCIM100ABCDE\\IMAG0001.JPG");
}

class PlayListCard : public transfer_test::CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        parent = ::CreateWindowExW(0, L"STATIC", L"order", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                   nullptr, nullptr);
        list = std::make_unique<CSlidePlayList>(camera->get());
        ASSERT_TRUE(list->Create(parent, IDC_PLAY_ORDER, RECT{0, 0, 380, 260}, fw::ListView::Mode::Report));
        list->Init();
    }
    void TearDown() override {
        list.reset();
        ::DestroyWindow(parent);
    }
    std::wstring PlayListOnCard() const { return CardHostPath(L"PLAYLIST.TXT"); }
    std::vector<std::wstring> Row(int row) const { return {list->Text(row, 0), list->Text(row, 1), list->Text(row, 2)}; }
    int Add(const wchar_t* path, int at = -1) { return list->AddEntry(path, L"", L"", at); }

    MessageBoxRecorder boxes;
    HWND parent = nullptr;
    std::unique_ptr<CSlidePlayList> list;
};

TEST_F(PlayListCard, LoadingShowsGoodLinesAndWarnsOnceAboutTheRest) {
    testing_support::WriteFileBytes(PlayListOnCard(),
                                    "C:\\DCIM\\100ABCDE\\IMAG0001.JPG,SE11,SI2\r\n"
                                    "C:\\DCIM\\099ABCDE\\IMAG0001.JPG,SE1,SI1\r\n"
                                    "C:\\DCIM\\100ABCDE\\IMAG0002.JPG,SE21,SI7\r\n"
                                    "C:\\DCIM\\100ABCD\\IMAG0001.JPG,SE1,SI1\r\n"
                                    "C:\\DCIM\\100ABCDE\\IMAG0003.JPG,E5\r\n"
                                    "C:\\DCIM\\100ABCDE\\101ABCDE\\IMAG1.JPG\r\n"
                                    "C:\\DCIM\\100ABCDE\\IMAG0004.JPG,SEx,SI4");
    ::SendMessageW(list->hwnd(), CSlidePlayList::WM_LOAD_PLAYLIST, 0, 0);
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(Row(0), (std::vector<std::wstring>{L"100ABCDE\\IMAG0001.JPG", L"Fade in/out", L"10"}));
    EXPECT_EQ(Row(1), (std::vector<std::wstring>{L"100ABCDE\\IMAG0002.JPG", L"None", L"3"}));
    EXPECT_EQ(Row(2), (std::vector<std::wstring>{L"100ABCDE\\IMAG0003.JPG", L"None", L"3"}));
    EXPECT_EQ(Row(3), (std::vector<std::wstring>{L"100ABCDE\\IMAG0004.JPG", L"None", L"30"}));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, fw::LoadResString(IDS_PLAYLIST_REFUSED));
    EXPECT_EQ(boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(PlayListCard, RegisteringWritesTheRowsInOrderAndAnEmptyOrderWritesNothing) {
    list->RegisterToCard();
    EXPECT_FALSE(testing_support::FileExists(PlayListOnCard()));

    Add(L"C:\\DCIM\\100ABCDE\\IMAG0002.JPG");  // b
    Add(L"C:\\DCIM\\100ABCDE\\IMAG0001.JPG");  // a
    list->SelectOnly(1);
    list->MoveSelected(+1);  // the last row: nothing moves
    list->SelectOnly(0);
    list->MoveSelected(-1);  // the first row: nothing moves
    EXPECT_EQ(list->RegisterToCard(), 1);
    EXPECT_EQ(testing_support::ReadFileBytes(PlayListOnCard()),
              "C:\\DCIM\\100ABCDE\\IMAG0002.JPG,SE20,SI0\r\nC:\\DCIM\\100ABCDE\\IMAG0001.JPG,SE20,SI0\r\n");

    list->DeleteSelected();
    list->DeleteSelected();
    list->SelectOnly(0);
    list->DeleteSelected();
    EXPECT_EQ(list->Count(), 0);
    list->RegisterToCard();  // the card keeps the last list
    EXPECT_EQ(testing_support::SplitLines(testing_support::ReadFileBytes(PlayListOnCard())).size(), 2u);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(PlayListCard, MovingSwapsRowsWithTheirCodesAndRefusesSeveralRows) {
    Add(L"C:\\DCIM\\100ABCDE\\IMAG0001.JPG");
    list->AddEntry(L"C:\\DCIM\\100ABCDE\\IMAG0002.JPG", L"SE3", L"SI1", -1);
    list->SelectOnly(1);
    list->MoveSelected(-1);
    EXPECT_EQ(Row(0), (std::vector<std::wstring>{L"100ABCDE\\IMAG0002.JPG", L"Left to right", L"5"}));
    EXPECT_EQ(list->Entry(0)->effect, 3);
    EXPECT_EQ(list->Selection(), std::vector<int>{0});
    list->Select(-1);
    list->MoveSelected(-1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, fw::LoadResString(IDS_SEVERAL_LINES_SELECTED));
    EXPECT_EQ(list->Text(0), L"100ABCDE\\IMAG0002.JPG");
}

TEST_F(PlayListCard, AFailedRegistrationSays168) {
    Add(L"C:\\DCIM\\100ABCDE\\IMAG0001.JPG");
    camera->control().FailCardWrites(1);
    list->RegisterToCard();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, fw::LoadResString(IDS_PLAYLIST_NOT_REGISTERED));
    EXPECT_EQ(boxes.boxes()[0].caption, fw::LoadResString(IDS_APP_TITLE));
}

TEST_F(PlayListCard, ClickingAnEffectCellOpensTheDropDownAndAChoiceIsStored) {
    Add(L"C:\\DCIM\\100ABCDE\\IMAG0001.JPG");
    ::ShowWindow(parent, SW_SHOW);
    RECT cell{};
    ListView_GetSubItemRect(list->hwnd(), 0, 1, LVIR_BOUNDS, &cell);
    ::SendMessageW(list->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 4, cell.top + 2));
    ::SendMessageW(list->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 4, cell.top + 2));
    HWND edit = list->editBox();
    ASSERT_TRUE(::IsWindowVisible(edit));
    EXPECT_EQ(::SendMessageW(edit, CB_GETCOUNT, 0, 0), 21);
    EXPECT_EQ(::SendMessageW(edit, CB_GETCURSEL, 0, 0), 20);
    ::SendMessageW(edit, CB_SETCURSEL, 11, 0);
    ::SendMessageW(list->hwnd(), WM_COMMAND, MAKEWPARAM(1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(list->Text(0, 1), L"Fade in/out");
    EXPECT_EQ(list->Entry(0)->effect, 11);
    ::SetFocus(list->hwnd());
    EXPECT_TRUE(testing_support::WaitUntil([&] { return !::IsWindowVisible(edit); }));
}

}  // namespace
