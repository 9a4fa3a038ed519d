// Sequences a TWAIN host runs as a matter of course: declining an announced
// picture, counting what is pending, asking in the wrong state or for what the
// source does not do. Each ends in a return code and condition, never a box.
#include <gtest/gtest.h>

#include <cstring>

#include "Handles.h"
#include "TwainHost.h"

using namespace twain_test;

namespace {

class Sequences : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(source_.Open(), TWRC_SUCCESS); }
    void TearDown() override { EXPECT_TRUE(boxes_.texts().empty()) << "a host's sequence shows the user nothing"; }

    // The failure of a call and its condition, as one value to compare.
    TW_UINT16 Refusal(TW_UINT16 rc) { return rc == TWRC_FAILURE ? source_.Condition() : 0xFFFF; }

    CameraCopy camera_{/*fixedPicture=*/true};
    BoxWatcher boxes_;
    LoadedSource source_;
};

}  // namespace

TEST_F(Sequences, ResetInStateSixDeclinesThePicture) {
    ASSERT_EQ(source_.Enable(false), TWRC_SUCCESS);
    TW_PENDINGXFERS pending{1, 0};
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0);
    TW_HANDLE dib = nullptr;
    EXPECT_EQ(Refusal(source_.Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib)), TWCC_SEQERROR) << "state 5";
    EXPECT_EQ(source_.Disable(), TWRC_SUCCESS);
}

TEST_F(Sequences, PendingTransfersCountTheAnnouncedPicture) {
    TW_PENDINGXFERS pending{0xFFFF, 0};
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0) << "state 4";
    ASSERT_EQ(source_.Enable(false), TWRC_SUCCESS);
    pending.Count = 0xFFFF;
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 1) << "state 6";
    TW_HANDLE dib = nullptr;
    ASSERT_EQ(source_.Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib), TWRC_XFERDONE);
    fw::GlobalMemory owned(dib);
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0);
}

TEST_F(Sequences, TripletsInTheWrongStateAreSequenceErrors) {
    TW_IMAGEINFO info{};
    TW_IMAGEMEMXFER mem{};
    TW_USERINTERFACE ui{};
    TW_PENDINGXFERS pending{};
    EXPECT_EQ(Refusal(source_.Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info)), TWCC_SEQERROR);
    EXPECT_EQ(Refusal(source_.Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &mem)), TWCC_SEQERROR);
    EXPECT_EQ(Refusal(source_.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui)), TWCC_SEQERROR);
    EXPECT_EQ(Refusal(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending)), TWCC_SEQERROR);
    ASSERT_EQ(source_.Enable(false), TWRC_SUCCESS);
    fw::GlobalMemory one(OneValue(TWSX_MEMORY));
    TW_CAPABILITY cap{ICAP_XFERMECH, TWON_ONEVALUE, one.get()};
    EXPECT_EQ(Refusal(source_.Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap)), TWCC_SEQERROR)
        << "capabilities are negotiated in state 4";
    TW_IMAGELAYOUT layout{};
    EXPECT_EQ(Refusal(source_.Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout)), TWCC_SEQERROR);
}

TEST_F(Sequences, UnknownTripletsAreBadProtocol) {
    TW_UINT8 data[64] = {};
    struct Case {
        TW_UINT32 dg;
        TW_UINT16 dat, msg;
    } cases[] = {{DG_CONTROL, 0x0099, MSG_GET},         {DG_IMAGE, DAT_PALETTE8, MSG_GET},
                 {DG_IMAGE, DAT_GRAYRESPONSE, MSG_SET}, {DG_CONTROL, DAT_IDENTITY, 0x0999},
                 {DG_CONTROL, DAT_STATUS, MSG_SET},     {DG_IMAGE, DAT_IMAGEINFO, MSG_SET}};
    for (const Case& c : cases)
        EXPECT_EQ(Refusal(source_.Call(c.dg, c.dat, c.msg, data)), TWCC_BADPROTOCOL) << c.dat << " " << c.msg;
}

TEST_F(Sequences, AFileFormatOtherThanBmpIsRefusedAndTheNameKept) {
    TW_SETUPFILEXFER setup{};
    std::strcpy(setup.FileName, "c:\\scan.tif");
    setup.Format = TWFF_TIFF;
    EXPECT_EQ(Refusal(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup)), TWCC_BADVALUE);
    TW_SETUPFILEXFER asked{};
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &asked), TWRC_SUCCESS);
    EXPECT_STREQ(asked.FileName, "c:\\twain.bmp");
    EXPECT_EQ(asked.Format, TWFF_BMP);
}

TEST_F(Sequences, TheFileNameIsReadBackAfterTheFileTransfer) {
    testing_support::TempFolder folder;
    std::wstring path = folder / L"scan.bmp";
    TW_SETUPFILEXFER setup{};
    std::strcpy(setup.FileName, std::string(path.begin(), path.end()).c_str());
    setup.Format = TWFF_BMP;
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup), TWRC_SUCCESS);
    ASSERT_EQ(source_.Enable(false), TWRC_SUCCESS);
    ASSERT_EQ(source_.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_XFERDONE);
    TW_SETUPFILEXFER asked{};
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &asked), TWRC_SUCCESS) << "state 7";
    EXPECT_STREQ(asked.FileName, setup.FileName);
}

TEST_F(Sequences, EnableForSettingsOnlyIsRefusedAndStateFourKept) {
    TW_USERINTERFACE ui{TRUE, TRUE, nullptr};
    EXPECT_EQ(Refusal(source_.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDSUIONLY, &ui)), TWCC_BADPROTOCOL);
    EXPECT_EQ(source_.Enable(false), TWRC_SUCCESS) << "still state 4";
}
