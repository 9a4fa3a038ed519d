// Picture windows: opening files, captions, saving and the save prompt.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "AppHarness.h"
#include "still/ImageDoc.h"
#include "still/ImageFrame.h"
#include "still/ImageView.h"
#include "shell/MainFrame.h"
#include "PictureFixtures.h"
#include "resource.h"

namespace {

using testing_support::AppTest;
using testing_support::FileDialogScript;
using Answer = FileDialogScript::Answer;

std::wstring Caption(CImageFrame* frame) {
    wchar_t text[300] = {};
    ::GetWindowTextW(frame->hwnd(), text, 300);
    return text;
}

bool IsBmpFile(const std::string& bytes) { return bytes.size() > 54 && bytes.compare(0, 2, "BM") == 0; }
bool IsJpegFile(const std::string& bytes) { return bytes.size() > 2 && bytes.compare(0, 2, "\xFF\xD8") == 0; }

using FilesTest = AppTest;

TEST_F(FilesTest, OpensJpegAndBmpWhateverTheCaseOfTheExtension) {
    for (const std::wstring name : {L"photo.JPG", L"small.jpg"}) {
        CImageFrame* frame = Open(WriteJpeg(name, 320, 240));
        ASSERT_NE(frame, nullptr) << name.c_str();
        EXPECT_EQ(Caption(frame), name + L" 100%");
        EXPECT_FALSE(frame->imageDocument()->IsModified());
    }
    ASSERT_NE(Open(WriteBmp(L"scan.Bmp", 200, 100)), nullptr);
    EXPECT_EQ(PictureWindowCount(), 3);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(FilesTest, UnknownExtensionIsRefusedAndLogged) {
    EXPECT_EQ(Open(WriteJpeg(L"photo.png", 64, 48)), nullptr);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"Unable to open file. "});
    bool logged = false;
    for (const std::string& line : LogLines()) logged |= line.find("Open Invalid Extension File.") != std::string::npos;
    EXPECT_TRUE(logged);
}

TEST_F(FilesTest, DamagedFilesLeaveNoWindowBehind) {
    std::string jpeg = picture_fixtures::MakeJpeg(320, 240);
    const std::vector<std::pair<std::wstring, std::string>> files = {
        {L"empty.jpg", ""},
        {L"empty.bmp", ""},
        {L"garbage.jpg", std::string(5000, '\x5A')},
        {L"truncated.jpg", jpeg.substr(0, jpeg.size() / 3)},
        {L"header-only.bmp", std::string("BM") + std::string(60, '\0')},
        {L"jpeg-inside.bmp", jpeg},
    };
    for (const auto& [name, bytes] : files) {
        testing_support::WriteFileBytes(folder / name, bytes);
        AnswerBoxesWith(IDOK);
        EXPECT_EQ(Open(folder / name), nullptr) << name.c_str();
        EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"Unable to open file. "}) << name.c_str();
        EXPECT_EQ(PictureWindowCount(), 0) << name.c_str();
    }
}

TEST_F(FilesTest, FileOpenStartsInTheRememberedFolder) {
    testing_support::RegistryValue input(HKEY_CURRENT_USER, L"SOFTWARE\\Vexa\\Pictavo (QZT)\\PictavoForPresentation\\ImgSection",
                                         L"InputFolder");
    ::CreateDirectoryW((folder / L"in").c_str(), nullptr);
    input.SetString(folder / L"in\\");
    std::wstring picture = WriteJpeg(L"in\\p.jpg", 100, 80);
    ::CreateDirectoryW((folder / L"other").c_str(), nullptr);
    std::wstring other = WriteJpeg(L"other\\q.jpg", 100, 80);
    FileDialogScript dialogs({Answer{other}, Answer{picture}});
    Command(ID_FILE_OPEN);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].initialFolder, folder / L"in\\");
    EXPECT_EQ(dialogs.shown()[1].initialFolder, folder / L"other\\");
    EXPECT_EQ(PictureWindowCount(), 2);
}

// A picture opened from memory counts as unsaved, like a capture.
class SaveTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ::CreateDirectoryW((folder / L"out").c_str(), nullptr);
        output_ = std::make_unique<testing_support::RegistryValue>(
            HKEY_CURRENT_USER, L"SOFTWARE\\Vexa\\Pictavo (QZT)\\PictavoForPresentation\\ImgSection", L"OutputFolder");
        output_->SetString(folder / L"out\\");
    }
    void TearDown() override {
        AppTest::TearDown();
        output_.reset();
    }
    CImageFrame* OpenUnsaved(int width = 320, int height = 240) {
        std::string jpeg = picture_fixtures::MakeJpeg(width, height);
        if (!mainFrame()->OpenPicture(jpeg.data(), static_cast<DWORD>(jpeg.size()), L"")) return nullptr;
        PumpMessages();
        return ActiveImageFrame();
    }
    std::unique_ptr<testing_support::RegistryValue> output_;
};

TEST_F(SaveTest, SaveAsBmpThenSaveAgainWithoutDialog) {
    CImageFrame* frame = OpenUnsaved();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->imageDocument()->IsModified());
    std::wstring target = folder / L"out\\a.bmp";
    FileDialogScript dialogs({Answer{target, 1}});
    Command(ID_FILE_SAVE);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.shown()[0].save);
    EXPECT_EQ(dialogs.shown()[0].initialFolder, folder / L"out\\");
    EXPECT_EQ(Caption(frame), L"a.bmp 100%");
    EXPECT_FALSE(frame->imageDocument()->IsModified());
    picture_fixtures::Pixels saved;
    ASSERT_TRUE(picture_fixtures::ReadWithWic(target, saved));
    EXPECT_EQ(saved.width, 320);
    EXPECT_TRUE(IsBmpFile(testing_support::ReadFileBytes(target)));

    Command(ID_ROTATE_CW);
    EXPECT_TRUE(frame->imageDocument()->IsModified());
    Command(ID_FILE_SAVE);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    ASSERT_TRUE(picture_fixtures::ReadWithWic(target, saved));
    EXPECT_EQ(saved.width, 240);  // turned, and still a BMP
    EXPECT_TRUE(IsBmpFile(testing_support::ReadFileBytes(target)));
}

TEST_F(SaveTest, DeletedFileBringsTheDialogBack) {
    ASSERT_NE(OpenUnsaved(), nullptr);
    std::wstring first = folder / L"out\\first.jpg";
    std::wstring second = folder / L"out\\second.jpg";
    FileDialogScript dialogs({Answer{first}, Answer{second}});
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(::DeleteFileW(first.c_str()));
    Command(ID_FILE_SAVE);
    EXPECT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].fileName, folder / L"out\\first");  // the old name, its extension left to the filter
    EXPECT_TRUE(IsJpegFile(testing_support::ReadFileBytes(second)));
}

TEST_F(SaveTest, ExtensionDecidesTheFormatBeforeTheFilter) {
    ASSERT_NE(OpenUnsaved(), nullptr);
    std::wstring jpg = folder / L"out\\b.Jpg";
    std::wstring png = folder / L"out\\b.png";
    FileDialogScript dialogs({Answer{jpg, 2}, Answer{png, 2}});
    Command(ID_FILE_SAVE_AS);
    Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(IsJpegFile(testing_support::ReadFileBytes(jpg)));
    EXPECT_TRUE(IsBmpFile(testing_support::ReadFileBytes(png)));
    picture_fixtures::Pixels saved;
    EXPECT_TRUE(picture_fixtures::ReadWithWic(jpg, saved));
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].filterIndex, 1u);  // b.Jpg is not a BMP name
}

TEST_F(SaveTest, FailedSaveKeepsTheDocumentUnsaved) {
    CImageFrame* frame = OpenUnsaved();
    ASSERT_NE(frame, nullptr);
    std::wstring caption = Caption(frame);
    FileDialogScript dialogs({Answer{folder / L"missing\\c.jpg"}});
    Command(ID_FILE_SAVE);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"Unable to save file."});
    EXPECT_TRUE(frame->imageDocument()->IsModified());
    EXPECT_EQ(Caption(frame), caption);
}

TEST_F(SaveTest, CloseAsksAndCancelInTheDialogKeepsThePicture) {
    CImageFrame* frame = OpenUnsaved();
    ASSERT_NE(frame, nullptr);
    AnswerBoxesWith(IDYES);
    FileDialogScript dialogs({std::nullopt});
    ::SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_EQ(BoxTexts().size(), 1u);
    EXPECT_EQ(BoxTexts()[0], L"Save changes to the document " + frame->imageDocument()->title() + L" before closing?");
    EXPECT_EQ(PictureWindowCount(), 1);

    AnswerBoxesWith(IDNO);
    ::SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(PictureWindowCount(), 0);
}

TEST_F(SaveTest, CloseWithoutSaveAsksNothing) {
    CImageFrame* frame = OpenUnsaved();
    ASSERT_NE(frame, nullptr);
    ::SendMessageW(frame->hwnd(), WM_CLOSE_WITHOUT_SAVE, 0, 0);
    PumpMessages();
    EXPECT_EQ(PictureWindowCount(), 0);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(SaveTest, AllCloseClosesEveryPicture) {
    ASSERT_NE(Open(WriteJpeg(L"one.jpg", 100, 80)), nullptr);
    ASSERT_NE(Open(WriteJpeg(L"two.jpg", 100, 80)), nullptr);
    ASSERT_NE(Open(WriteBmp(L"three.bmp", 100, 80)), nullptr);
    Command(ID_FILE_ALL_CLOSE);
    EXPECT_EQ(PictureWindowCount(), 0);
}

}  // namespace

// Ending the program asks about every unsaved picture, as its own close box
// would; one that must stay keeps every window and the program.
TEST_F(SaveTest, EndingTheProgramAsksAboutEachUnsavedPicture) {
    enum Ending { kExitCommand, kSessionEnd };
    struct Case {
        const char* name;
        Ending ending;
        std::vector<int> answers;
        std::optional<Answer> saveAs;  // the dialog a Yes brings up
        bool ends;
    };
    const std::wstring saved = folder / L"out\\kept.jpg";
    const Case cases[] = {
        {"No, then Cancel", kExitCommand, {IDNO, IDCANCEL}, std::nullopt, false},
        {"Yes with a failed save", kExitCommand, {IDYES}, std::nullopt, false},
        {"Cancel at the end of the session", kSessionEnd, {IDCANCEL}, std::nullopt, false},
        {"Yes, then No", kExitCommand, {IDYES, IDNO}, Answer{saved}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(OpenUnsaved(), nullptr);
        ASSERT_NE(OpenUnsaved(200, 100), nullptr);
        ::DeleteFileW(saved.c_str());
        AnswerBoxesWith(c.answers);
        FileDialogScript dialogs({c.saveAs});
        HWND main = mainFrame()->hwnd();
        if (c.ending == kExitCommand) {
            Command(ID_APP_EXIT);
            PumpMessages();
        } else {
            EXPECT_EQ(::SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
        }
        const std::vector<std::wstring> asked = BoxTexts();
        ASSERT_EQ(asked.size(), c.answers.size());
        for (const std::wstring& text : asked) EXPECT_NE(text.find(L"Untitled"), std::wstring::npos) << text;
        if (!c.ends) {
            EXPECT_TRUE(::IsWindow(main));
            EXPECT_EQ(PictureWindowCount(), 2);
            // Both still unsaved: the next case starts from two fresh ones.
            AnswerBoxesWith(IDNO);
            Command(ID_FILE_ALL_CLOSE);
            PumpMessages();
            ASSERT_EQ(PictureWindowCount(), 0);
            continue;
        }
        EXPECT_FALSE(::IsWindow(main));
        picture_fixtures::Pixels pixels;
        ASSERT_TRUE(picture_fixtures::ReadWithWic(saved, pixels));
        EXPECT_EQ(pixels.width, 200) << "the active (last opened) picture is asked first";
    }
}
