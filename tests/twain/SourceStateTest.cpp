// States, sequence errors, the connected application and the shared mutex.
#include <gtest/gtest.h>

#include "AppProcess.h"
#include "TwainHost.h"

using namespace twain_test;

namespace {

constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kAppClass = L"__PICTAVO_CLASSNAME__";

class SourceStates : public ::testing::Test {
protected:
    CameraCopy camera_;
    BoxWatcher boxes_;
    LoadedSource source_;
};

}  // namespace

TEST_F(SourceStates, IdentityIsAnsweredInEveryStateAndWithoutOrigin) {
    ASSERT_TRUE(source_.loaded());
    TW_IDENTITY id{};
    ASSERT_EQ(source_.CallAs(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GET, &id), TWRC_SUCCESS);
    EXPECT_STREQ(id.ProductName, "Korvo Document Camera TWAIN DS");
    EXPECT_STREQ(id.Manufacturer, "Korvo Technologies");
    EXPECT_STREQ(id.ProductFamily, "Korvo Utility Software (QZT)");
    EXPECT_STREQ(id.Version.Info, "Version 1.10");
    EXPECT_EQ(id.Version.MajorNum, 1);
    EXPECT_EQ(id.Version.MinorNum, 10);
    EXPECT_EQ(id.ProtocolMajor, 2);
    EXPECT_EQ(id.ProtocolMinor, 4);
    EXPECT_EQ(id.SupportedGroups, DG_CONTROL | DG_IMAGE | DF_DS2) << "a TWAIN 2 manager calls a host back only for DF_DS2";

    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    TW_IDENTITY stranger = MakeAppIdentity(99);
    TW_IDENTITY again{};
    EXPECT_EQ(source_.CallAs(&stranger, DG_CONTROL, DAT_IDENTITY, MSG_GET, &again), TWRC_SUCCESS);
    EXPECT_EQ(again.Id, 42u) << "the identity as the manager completed it at OPENDS";
}

TEST_F(SourceStates, SequenceErrorsAreReportedAndTheStateKept) {
    ASSERT_EQ(source_.Enable(false), TWRC_FAILURE) << "ENABLEDS before OPENDS";
    EXPECT_EQ(source_.Condition(), TWCC_SEQERROR);
    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source_.own), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_MAXCONNECTIONS);
    TW_PENDINGXFERS pending{};
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_SEQERROR);
    EXPECT_EQ(source_.Disable(), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_SEQERROR);
    TW_HANDLE dib = nullptr;
    EXPECT_EQ(source_.Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_SEQERROR);
    EXPECT_EQ(source_.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_SEQERROR) << "no announced picture to write";
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending), TWRC_SUCCESS) << "state 4 still";
    EXPECT_EQ(source_.Call(0x8000, DAT_NULL, MSG_GET, nullptr), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_BADPROTOCOL);
    // The host's mistakes are for the host to report: a box would only stop its user.
    EXPECT_TRUE(boxes_.texts().empty());
}

TEST_F(SourceStates, StatusReturnsTheLastConditionOnceThenSuccess) {
    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    TW_SETUPMEMXFER setup{};
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_SET, &setup), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_BADPROTOCOL);
    EXPECT_EQ(source_.Condition(), TWCC_SUCCESS);
}

TEST_F(SourceStates, ASecondApplicationIsRefusedWhileOneIsConnected) {
    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    TW_IDENTITY second = MakeAppIdentity(8);
    TW_STATUS status{};
    EXPECT_EQ(source_.CallAs(&second, DG_CONTROL, DAT_STATUS, MSG_GET, &status), TWRC_FAILURE);
    EXPECT_EQ(source_.CallAs(&second, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_.own), TWRC_FAILURE);
    EXPECT_EQ(source_.CallAs(nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, &status), TWRC_FAILURE);
    // Still open for the first one.
    TW_SETUPMEMXFER setup{};
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    EXPECT_EQ(setup.Preferred, 65535u);
}

TEST_F(SourceStates, CloseThenOpenAgain) {
    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    ASSERT_EQ(source_.Close(), TWRC_SUCCESS);
    EXPECT_EQ(source_.Open(), TWRC_SUCCESS);
    // Closed while enabled: the source disables itself first.
    ASSERT_EQ(source_.Enable(true), TWRC_SUCCESS);
    EXPECT_EQ(source_.Close(), TWRC_SUCCESS);
    EXPECT_EQ(source_.Open(), TWRC_SUCCESS);
}

TEST_F(SourceStates, ProcessEventWithoutDialogIsNotTheSources) {
    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    MSG msg{};
    TW_EVENT event{&msg, 0xFFFF};
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_NOTDSEVENT);
    EXPECT_EQ(event.TWMessage, 0xFFFF);
}

TEST_F(SourceStates, EnableWithoutUserInterfaceAnnouncesAPicture) {
    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    ASSERT_EQ(source_.Enable(false), TWRC_SUCCESS);
    EXPECT_EQ(ManagerMessages(), std::vector<TW_UINT16>{MSG_XFERREADY});
    // State 6: image information is answered, a second ENABLEDS is out of sequence.
    TW_IMAGEINFO info{};
    EXPECT_EQ(source_.Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
    EXPECT_EQ(info.ImageWidth, 1024);
    EXPECT_EQ(info.ImageLength, 768);
    EXPECT_EQ(source_.Enable(false), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_SEQERROR);
}

TEST_F(SourceStates, EnableWithoutUserInterfaceAndNoPictureStaysWithoutAnnouncement) {
    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    camera_.control().FailResponses(3);
    EXPECT_EQ(source_.Enable(false), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_OPERATIONERROR);
    EXPECT_TRUE(ManagerMessages().empty());
    EXPECT_TRUE(boxes_.texts().empty()) << "enable failures show no box";
    EXPECT_EQ(source_.Disable(), TWRC_FAILURE) << "still state 4: nothing to disable";
    EXPECT_EQ(source_.Condition(), TWCC_SEQERROR);
    EXPECT_EQ(source_.Enable(false), TWRC_SUCCESS) << "and enabled again once the camera answers";
}

TEST(SourceManager, ALoadedTwaindsmIsToldWithoutAnEntryPoint) {
    HMODULE dsm = ::LoadLibraryW((testing_support::TestProgramFolder() + L"dsm\\TWAINDSM.DLL").c_str());
    ASSERT_NE(dsm, nullptr);
    using RecordedFn = int(__stdcall*)(TW_UINT16*, int);
    auto recorded = reinterpret_cast<RecordedFn>(::GetProcAddress(dsm, "RecordedMessages"));
    ASSERT_NE(recorded, nullptr);
    {
        CameraCopy camera;
        LoadedSource source;
        ASSERT_EQ(source.Open(/*giveEntryPoint=*/false), TWRC_SUCCESS);
        ASSERT_EQ(source.Enable(false), TWRC_SUCCESS);
        TW_UINT16 got[4] = {};
        EXPECT_EQ(recorded(got, 4), 1);
        EXPECT_EQ(got[0], MSG_XFERREADY);
        EXPECT_TRUE(ManagerMessages().empty());
    }
    ::FreeLibrary(dsm);
}

TEST(SourceMutex, TheImageApplicationAndTheSourceExcludeEachOther) {
    testing_support::Installation install;
    {
        testing_support::AppProcess app(install);
        ASSERT_NE(app.WaitForWindow(kAppClass), nullptr);
        CameraCopy camera;
        BoxWatcher boxes;
        LoadedSource source;
        EXPECT_EQ(source.Open(), TWRC_FAILURE);
        EXPECT_EQ(source.Condition(), TWCC_NODS);
        EXPECT_EQ(boxes.WaitForTexts(1), std::vector<std::wstring>{L"Korvo TWAIN DS is already launched."});
    }
    CameraCopy camera;
    LoadedSource source;
    ASSERT_EQ(source.Open(), TWRC_SUCCESS);
    testing_support::AppProcess refused(install);
    HWND box = refused.WaitForWindow(kDialogClass);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testing_support::MessageBoxText(box), L"Document Camera or TWAIN DS is already launched.");
    testing_support::PressButton(box, IDOK);
    EXPECT_TRUE(refused.WaitForExit());
}
