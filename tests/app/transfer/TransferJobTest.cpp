// A transfer against the camera stand-in's card: what is sent, what is
// refused before anything goes out, and what each card answer becomes.
#include <gtest/gtest.h>

#include <algorithm>

#include "CardFixture.h"
#include "DeviceProtocol.h"
#include "SDControl.h"
#include "Strings.h"
#include "resource.h"
#include "transfer/TransferJob.h"

namespace {

using transfer_test::CardTest;
using Check = CTransferJob::Check;

const std::wstring kFolder = L"DCIM\\100ABCDE";
const std::wstring kDestination = L"C:\\DCIM\\100ABCDE";

std::vector<std::wstring> Messages(CTransferJob& job) {
    std::vector<std::wstring> texts;
    for (const ErrorEntry& e : job.errors().entries()) texts.push_back(e.message);
    return texts;
}

std::vector<std::wstring> Times(size_t n, UINT id) { return std::vector<std::wstring>(n, fw::LoadResString(id)); }

size_t CountOf(const std::vector<uint16_t>& codes, uint16_t code) {
    return static_cast<size_t>(std::count(codes.begin(), codes.end(), code));
}

class TransferJobTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        MakeCardFolder(kFolder);
        card = std::make_unique<CSDControl>(camera->get());
        transfer = std::make_unique<CTransferJob>(*card);
    }
    void TearDown() override {
        transfer.reset();
        card.reset();
    }
    // Prepares and runs; `stopAfter` files are reported before Cancel.
    void Transfer(const std::wstring& destination = kDestination, int stopAfter = 1000,
                  std::function<void(int)> afterFile = nullptr) {
        ASSERT_EQ(transfer->Prepare(source.path(), destination), Check::Ready);
        int reported = 0;
        transfer->Run([&] { return reported < stopAfter; },
                [&](int done, int total) {
                    reported = done;
                    EXPECT_EQ(total, static_cast<int>(transfer->names().size()));
                    if (afterFile) afterFile(done);
                });
    }
    std::wstring FileNames(const std::wstring& prefix, int n) {
        std::wstring last;
        for (int i = 1; i <= n; ++i) WriteSource(last = prefix + fw::Format(L"%04d.JPG", i));
        return last;
    }

    std::unique_ptr<CSDControl> card;
    std::unique_ptr<CTransferJob> transfer;
};

TEST_F(TransferJobTest, OnlyCameraFilesAreSentAndArriveByteForByte) {
    const std::string first = WriteSource(L"IMAG0001.JPG");
    const std::string second = WriteSource(L"IMAG0002.jpg", 70000);
    for (const wchar_t* other : {L"notes.txt", L"PHOTO1.JPG", L"IMAG0003.JPEG", L"IMAG0000.JPG"}) WriteSource(other);
    ::CreateDirectoryW((source / L"IMAG0004.JPG").c_str(), nullptr);
    const LONG mark = RequestMark();

    Transfer();
    EXPECT_EQ(transfer->names(), (std::vector<std::wstring>{L"IMAG0001.JPG", L"IMAG0002.jpg"}));
    EXPECT_EQ(transfer->sent(), 2);
    EXPECT_TRUE(transfer->errors().empty());
    EXPECT_EQ(testing_support::ReadFileBytes(CardHostPath(kFolder + L"\\IMAG0001.JPG")), first);
    EXPECT_EQ(testing_support::ReadFileBytes(CardHostPath(kFolder + L"\\IMAG0002.jpg")), second);
    const std::vector<uint16_t> codes = CommandsSince(mark);
    EXPECT_EQ(CountOf(codes, device::kSdSetJpegFile), 2u);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), device::kSdEndWrite);
}

TEST_F(TransferJobTest, ChecksBeforeTheLoopSendNothing) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::wstring destination;
        Check expected;
    } cases[] = {
        {"no camera file", [&] { WriteSource(L"notes.txt"); }, kDestination, Check::NothingToSend},
        {"a name already on the card, in another case",
         [&] {
             WriteSource(L"IMAG0002.jpg");
             testing_support::WriteFileBytes(CardHostPath(kFolder + L"\\IMAG0002.JPG"), "old");
         },
         kDestination, Check::Duplicate},
        {"a folder the card does not have", [&] { WriteSource(L"IMAG0001.JPG"); }, L"C:\\DCIM\\101NOSUC",
         Check::CardUnavailable},
        {"no card", [&] { WriteSource(L"IMAG0001.JPG"); camera->control().RemoveCard(); }, kDestination, Check::NoCard},
    };
    for (const Case& c : cases) {
        c.arrange();
        const LONG mark = RequestMark();
        EXPECT_EQ(transfer->Prepare(source.path(), c.destination), c.expected) << c.what;
        EXPECT_EQ(CountOf(CommandsSince(mark), device::kSdSetJpegFile), 0u) << c.what;
    }
    EXPECT_EQ(testing_support::ReadFileBytes(CardHostPath(kFolder + L"\\IMAG0002.JPG")), "old");
}

TEST_F(TransferJobTest, AnEmptyCardFolderIsADestination) {
    WriteSource(L"IMAG0001.JPG");
    EXPECT_EQ(transfer->Prepare(source.path() + L"\\", kDestination), Check::Ready);
    transfer->Run([] { return true; }, nullptr);
    EXPECT_EQ(transfer->sent(), 1);
}

TEST_F(TransferJobTest, FilesOf2MBAndOverAreRefused) {
    WriteSource(L"IMAG0001.JPG", 2097151);
    WriteSource(L"IMAG0002.JPG", 2097152);
    Transfer();
    EXPECT_EQ(transfer->sent(), 1);
    EXPECT_TRUE(testing_support::FileExists(CardHostPath(kFolder + L"\\IMAG0001.JPG")));
    EXPECT_FALSE(testing_support::FileExists(CardHostPath(kFolder + L"\\IMAG0002.JPG")));
    ASSERT_EQ(Messages(*transfer), Times(1, IDS_SD_OVER_2M));
    EXPECT_EQ(transfer->errors().entries()[0].file, source / L"IMAG0002.JPG");
}

TEST_F(TransferJobTest, CardPathsOver32CharactersAreRefusedForEveryFile) {
    // A camera name has 12 characters: 19 + "\" + 12 = 32.
    struct Case {
        std::wstring folder;
        int sent;
    } cases[] = {{kFolder + L"\\AB", 2}, {kFolder + L"\\ABC", 0}};
    FileNames(L"IMAG", 2);
    for (const Case& c : cases) {
        MakeCardFolder(c.folder);
        const std::wstring destination = L"C:\\" + c.folder;
        Transfer(destination);
        EXPECT_EQ(transfer->sent(), c.sent) << destination.size();
        EXPECT_EQ(Messages(*transfer), Times(2 - c.sent, IDS_NAME_TOO_LONG)) << destination.size();
    }
}

TEST_F(TransferJobTest, CancelAfterTheThirdOfTenSendsThree) {
    FileNames(L"IMAG", 10);
    const LONG mark = RequestMark();
    Transfer(kDestination, 3);
    EXPECT_EQ(transfer->sent(), 3);
    EXPECT_EQ(Messages(*transfer), Times(7, IDS_OPERATION_CANCELED));
    EXPECT_EQ(transfer->errors().entries().back().file, source / L"IMAG0010.JPG");
    EXPECT_TRUE(testing_support::FileExists(CardHostPath(kFolder + L"\\IMAG0003.JPG")));
    EXPECT_FALSE(testing_support::FileExists(CardHostPath(kFolder + L"\\IMAG0004.JPG")));
    EXPECT_EQ(CommandsSince(mark).back(), device::kSdEndWrite);
}

TEST_F(TransferJobTest, CardAnswersBecomeEntriesAndTheRunGoesOn) {
    FileNames(L"IMAG", 4);
    camera->control().LockCardWrites(1);
    Transfer(kDestination, 1000, [&](int done) {
        if (done == 1) camera->control().FailCardWrites(1);
    });
    EXPECT_EQ(transfer->sent(), 2);
    std::vector<std::wstring> expected = Times(1, IDS_SD_LOCKED_IMAGE);
    expected.push_back(fw::LoadResString(IDS_SD_TRANSFER_FAILED));
    EXPECT_EQ(Messages(*transfer), expected);
    EXPECT_FALSE(testing_support::FileExists(CardHostPath(kFolder + L"\\IMAG0002.JPG")));
}

TEST_F(TransferJobTest, CardPulledMidRunEndsTheLoopKeepingWhatWentBefore) {
    FileNames(L"IMAG", 5);
    camera->control().LockCardWrites(1);
    const LONG mark = RequestMark();
    Transfer(kDestination, 1000, [&](int done) {
        if (done == 2) {
            ASSERT_TRUE(camera->control().RemoveCard());
        }
    });
    EXPECT_TRUE(transfer->cardPulled());
    EXPECT_EQ(transfer->sent(), 1);
    EXPECT_EQ(Messages(*transfer), Times(1, IDS_SD_LOCKED_IMAGE));
    const std::vector<uint16_t> codes = CommandsSince(mark);
    EXPECT_EQ(CountOf(codes, device::kSdSetJpegFile), 3u);
    EXPECT_EQ(codes.back(), device::kSdEndWrite);
}

class FullCardTest : public TransferJobTest {
protected:
    std::string Settings() const override { return "[Card]\r\nCapacity=10000\r\n"; }
};

TEST_F(FullCardTest, EveryLaterFileIsRecordedAsNotFitting) {
    FileNames(L"IMAG", 4);  // 4096 bytes each: two fit
    Transfer();
    EXPECT_EQ(transfer->sent(), 2);
    EXPECT_EQ(Messages(*transfer), Times(2, IDS_SD_FULL));
    EXPECT_EQ(transfer->errors().entries()[0].file, source / L"IMAG0003.JPG");
}

}  // namespace
