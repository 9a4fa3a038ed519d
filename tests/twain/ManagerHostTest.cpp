// Acquiring through real source managers, as scanning programs do: the TWAIN
// Working Group's TWAINDSM.dll with a TWAIN 2 host that waits on its callback,
// and Wine's twain_32.dll (TWAIN 1.x) with a host that pumps its window. Each
// picture is read back and compared with the frame the camera stand-in serves.
#include <gtest/gtest.h>

#include <cstring>

#include "ManagerHost.h"
#include "TwainHost.h"

using namespace twain_test;

namespace {

class ManagerHosts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(placement_.placed());
        expected_ = DecodedFrame(camera_.Frame());
        ASSERT_EQ(expected_.size(), kStride * kHeight);
    }
    void TearDown() override { EXPECT_TRUE(boxes_.texts().empty()); }

    // The host has the source open, the mechanism chosen and a picture announced.
    void Announce(ManagerHost& host, TW_UINT16 mechanism, bool showUi) {
        ASSERT_TRUE(host.loaded());
        ASSERT_TRUE(host.OpenManagerAndFindSource()) << "the manager lists the source in its folder";
        ASSERT_EQ(host.OpenSource(), TWRC_SUCCESS);
        ASSERT_EQ(host.SetCapability(ICAP_XFERMECH, mechanism), TWRC_SUCCESS);
        ASSERT_EQ(host.Enable(showUi), TWRC_SUCCESS);
        if (showUi) PressStillAndTransfer();
        ASSERT_TRUE(host.WaitForTransferReady());
    }

    // What a user does in the dialog; the messages go to it as the buttons would send them.
    static void PressStillAndTransfer() {
        HWND dialog = ::FindWindowW(nullptr, L"Korvo Document Camera TWAIN");
        ASSERT_NE(dialog, nullptr);
        constexpr int kTransfer = 3, kStill = 2011;
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kStill, BN_CLICKED), 0);
        ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, kTransfer)));
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kTransfer, BN_CLICKED), 0);
    }

    // Rows bottom-up, blue-green-red, as the frame is held.
    std::vector<BYTE> Native(ManagerHost& host) {
        TW_HANDLE dib = nullptr;
        EXPECT_EQ(host.Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib), TWRC_XFERDONE);
        fw::GlobalMemory owned(dib);
        fw::GlobalLock lock(dib);
        if (!lock.get()) return {};
        const auto* rows = static_cast<const BYTE*>(lock.get()) + sizeof(BITMAPINFOHEADER);
        return std::vector<BYTE>(rows, rows + kStride * kHeight);
    }

    std::vector<BYTE> Memory(ManagerHost& host) {
        TW_SETUPMEMXFER setup{};
        EXPECT_EQ(host.Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
        std::vector<BYTE> buffer(setup.Preferred), topDownRgb;
        TW_UINT16 rc = TWRC_SUCCESS;
        while (rc == TWRC_SUCCESS) {
            TW_IMAGEMEMXFER xfer{};
            xfer.Memory = TW_MEMORY{0x1 | 0x8, static_cast<TW_UINT32>(buffer.size()), buffer.data()};
            rc = host.Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
            if (rc != TWRC_FAILURE) topDownRgb.insert(topDownRgb.end(), buffer.begin(), buffer.begin() + xfer.BytesWritten);
        }
        EXPECT_EQ(rc, TWRC_XFERDONE);
        std::vector<BYTE> rows(topDownRgb.size());
        for (size_t y = 0; y < rows.size() / kStride; ++y)
            for (size_t x = 0; x < kStride; x += 3) {
                const BYTE* from = &topDownRgb[(kHeight - 1 - y) * kStride + x];
                BYTE* to = &rows[y * kStride + x];
                to[0] = from[2], to[1] = from[1], to[2] = from[0];
            }
        return rows;
    }

    std::vector<BYTE> File(ManagerHost& host) {
        std::wstring path = folder_ / L"scan.bmp";
        TW_SETUPFILEXFER setup{};
        std::strcpy(setup.FileName, std::string(path.begin(), path.end()).c_str());
        setup.Format = TWFF_BMP;
        EXPECT_EQ(host.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup), TWRC_SUCCESS);
        EXPECT_EQ(host.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_XFERDONE);
        std::string file = testing_support::ReadFileBytes(path);
        if (file.size() != 54 + kStride * kHeight) return {};
        return std::vector<BYTE>(file.begin() + 54, file.end());
    }

    void ExpectFrame(const std::vector<BYTE>& got, const char* how) {
        ASSERT_EQ(got.size(), expected_.size()) << how;
        EXPECT_EQ(std::memcmp(got.data(), expected_.data(), got.size()), 0) << how;
    }

    CameraCopy camera_{/*fixedPicture=*/true};
    SourcePlacement placement_;
    BoxWatcher boxes_;
    testing_support::TempFolder folder_;
    std::vector<BYTE> expected_;
};

}  // namespace

TEST_F(ManagerHosts, TwainDsmHostGetsEachTransferThroughItsCallback) {
    std::wstring dsm = TwainDsmPath();
    if (dsm.empty()) GTEST_SKIP() << "TWAINDSM.dll was not beside the test program: set PICTAVO_TWAIN_DSM_DIR";
    struct Case {
        TW_UINT16 mechanism;
        bool showUi;
        const char* name;
    } cases[] = {{TWSX_NATIVE, false, "native"}, {TWSX_MEMORY, false, "memory"}, {TWSX_FILE, false, "file"},
                 {TWSX_NATIVE, true, "native, dialog shown"}};
    for (const Case& c : cases) {
        ManagerHost host(dsm, /*twain2=*/true);
        ASSERT_NO_FATAL_FAILURE(Announce(host, c.mechanism, c.showUi)) << c.name;
        EXPECT_TRUE(host.source().SupportedGroups & DF_DS2);
        std::vector<BYTE> got = c.mechanism == TWSX_MEMORY ? Memory(host)
                              : c.mechanism == TWSX_FILE   ? File(host)
                                                           : Native(host);
        ExpectFrame(got, c.name);
        EXPECT_EQ(host.received(), std::vector<TW_UINT16>{MSG_XFERREADY}) << c.name;
    }
}

// Wine's twain_32 keeps every source it opened loaded until its process ends:
// the host acquires in a child process, so that the copy can be taken away after.
TEST_F(ManagerHosts, WinesTwain32HostGetsANativeTransfer) {
    if (!IsChildHost()) {
        SourcePlacement wineName(SourcePlacement::kWineSaneName);
        ASSERT_TRUE(wineName.placed());
        std::wstring folder = testing_support::TestProgramFolder();
        EXPECT_EQ(RunChildHost(folder + L"twain_tests.exe", folder, L"ManagerHosts.WinesTwain32HostGetsANativeTransfer"),
                  0u);
        return;
    }
    ManagerHost host(L"twain_32.dll", /*twain2=*/false);
    ASSERT_NO_FATAL_FAILURE(Announce(host, TWSX_NATIVE, false));
    ExpectFrame(Native(host), "native through twain_32");
}
