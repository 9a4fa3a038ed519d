// Hosts and programs that do what no well-behaved one does: camera messages
// with made-up records, a library freed while open, a camera library planted
// where the host runs.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "DeviceControl.h"
#include "DeviceProtocol.h"
#include "Handles.h"
#include "TwainHost.h"

using namespace twain_test;

namespace {

// A thread that counts the response records handed back to it.
class RecordReturns {
public:
    RecordReturns() : thread_([this] { Run(); }) { testing_support::WaitUntil([&] { return id_ != 0; }); }
    ~RecordReturns() {
        ::PostThreadMessageW(id_, WM_QUIT, 0, 0);
        thread_.join();
    }
    DWORD id() const { return id_; }
    int count() const { return count_; }

private:
    void Run() {
        MSG msg;
        ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
        id_ = ::GetCurrentThreadId();
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            if (msg.message == device::WM_DEVICE_RESPONSE_RELEASE) ++count_;
    }
    std::atomic<DWORD> id_{0};
    std::atomic<int> count_{0};
    std::thread thread_;
};

class HostileHost : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(source_.Open(), TWRC_SUCCESS); }

    CameraCopy camera_{/*fixedPicture=*/true};
    BoxWatcher boxes_;
    LoadedSource source_;
};

}  // namespace

TEST_F(HostileHost, MadeUpCameraRecordsChangeNothing) {
    HWND hidden = FindHiddenWindow();
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(::FindWindowExW(HWND_MESSAGE, nullptr, L"Pictavo DS Window", nullptr), hidden)
        << "message-only: broadcasts miss it";
    RecordReturns returns;
    device::ResponseRecord junk{};
    junk.code = device::kGetJpegImage;
    for (UINT msg : {0x590u, 0x464u, 0x52Cu}) {
        ::SendMessageW(hidden, msg, returns.id(), reinterpret_cast<LPARAM>(&junk));
        ::PostMessageW(HWND_BROADCAST, msg, returns.id(), reinterpret_cast<LPARAM>(&junk));
    }
    testing_support::PumpFor(300);
    EXPECT_EQ(returns.count(), 0) << "no record was taken for one of the camera's";
    EXPECT_EQ(source_.Enable(false), TWRC_SUCCESS);
    EXPECT_EQ(CountManagerMessages(MSG_XFERREADY), 1) << "the camera still answers";
}

TEST_F(HostileHost, LibraryFreedAndLoadedAgainWhileOpenStaysOpen) {
    HWND hidden = FindHiddenWindow();
    ASSERT_NE(hidden, nullptr);
    ASSERT_TRUE(source_.Reload());
    ::SendMessageW(hidden, WM_NULL, 0, 0);  // its procedure is still in place
    TW_PENDINGXFERS pending{};
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending), TWRC_SUCCESS) << "still state 4";
    EXPECT_EQ(source_.Enable(false), TWRC_SUCCESS);
    EXPECT_EQ(CountManagerMessages(MSG_XFERREADY), 1);
}

// Run twice: as the test, which starts this program from a folder without a
// camera library, and as that child host, whose current folder holds a planted one.
TEST(SourceLibraries, ACameraLibraryPlantedInTheCurrentFolderIsNotLoaded) {
    if (IsChildHost()) {
        BoxWatcher boxes;
        LoadedSource source;
        ASSERT_TRUE(source.loaded());
        source.Open();  // fails: the installation has no camera library
        EXPECT_EQ(::GetModuleHandleW(L"KorvoDocCameraIM.dll"), nullptr);
        return;
    }
    testing_support::TempFolder host, current;
    testing_support::RegistryValue installPath = testing_support::InstallPathValue();
    installPath.Delete();
    std::wstring built = testing_support::TestProgramFolder();
    for (const wchar_t* file : {L"twain_tests.exe", L"KorvoDocCamera.ds"})
        ASSERT_TRUE(::CopyFileW((built + file).c_str(), (host / file).c_str(), FALSE));
    // A working camera library, so the source would keep it loaded if it took it.
    ASSERT_TRUE(::CopyFileW((built + L"KorvoDocCameraIM.dll").c_str(), (current / L"KorvoDocCameraIM.dll").c_str(),
                            FALSE));
    ASSERT_TRUE(testing_support::WriteFileBytes(current / L"KorvoDocCameraIM.ini", "[Camera]\r\nConnected=1\r\n"));
    EXPECT_EQ(RunChildHost(host / L"twain_tests.exe", current / L"",
                           L"SourceLibraries.ACameraLibraryPlantedInTheCurrentFolderIsNotLoaded"),
              0u);
}
