// The card commands as raw packets against a card folder the test makes.
#include <gtest/gtest.h>

#include <cstring>

#include "CameraHarness.h"
#include "HostFolder.h"
#include "StandInCodes.h"

using namespace camera_test;
using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

namespace {

struct PacketResult {
    BOOL accepted;
    DWORD detail;
    uint16_t code;
    int32_t status;
    std::string data;
};

class SdCardPackets : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(camera.get(), nullptr);
        DWORD detail = 0;
        ASSERT_TRUE(camera->bOpen(nullptr, &detail));
        MakeCard();
    }
    void TearDown() override { EXPECT_TRUE(camera.AllRecordsBack()) << "response records left outstanding"; }

    std::wstring Card(const std::wstring& path) const { return camera.cardFolder() + L"\\" + path; }

    void MakeCard() {
        for (const wchar_t* folder : {L"DCIM", L"DCIM\\100KORVO", L"DCIM\\101_TEST", L"MISC"})
            ::CreateDirectoryW(Card(folder).c_str(), nullptr);
        WriteFileBytes(Card(L"DCIM\\100KORVO\\IMAG0001.JPG"), std::string(300, 'a'));
        WriteFileBytes(Card(L"DCIM\\100KORVO\\IMAG0002.JPG"), std::string(200, 'b'));
        ::SetFileAttributesW(Card(L"DCIM\\100KORVO\\IMAG0002.JPG").c_str(), FILE_ATTRIBUTE_READONLY);
        WriteFileBytes(Card(L"PLAYLIST.TXT"), "IMAG0001.JPG,0,5\r\n");
    }

    // One synchronous packet, answered and handed back as the application does.
    PacketResult Send(uint16_t code, const std::string& name = "", const std::string& send = "") {
        device::RequestHeader header = device::MakeRequest(code);
        char nameBuffer[device::kPacketNameSize] = {};
        std::memcpy(nameBuffer, name.data(), std::min(name.size(), size_t{32}));
        device::CommandPacket packet{};
        packet.command = -1;
        packet.request = &header;
        packet.name = name.empty() ? nullptr : nameBuffer;
        packet.sendSize = static_cast<uint32_t>(send.size());
        packet.sendData = send.empty() ? nullptr : send.data();
        PacketResult r{};
        r.accepted = camera->bRequestPacket(&packet, &r.detail);
        if (!r.accepted) return r;
        EXPECT_NE(packet.response, nullptr);
        EXPECT_NE(packet.threadId, 0u);
        r.code = packet.response->code;
        r.status = packet.response->status;
        r.data = CopyBlock(packet.response->data, packet.response->size);
        HandBack(packet.threadId, packet.response);
        return r;
    }

    size_t HostEntries(const std::wstring& folder) const {
        return standin::ListHostFolder(folder.empty() ? camera.cardFolder() : Card(folder)).size();
    }

    static std::vector<std::string> Entries(const std::string& data, size_t offset = 0) {
        std::vector<std::string> paths;
        for (size_t at = offset; at + device::kListingEntrySize <= data.size(); at += device::kListingEntrySize)
            paths.push_back(std::string(data.c_str() + at));
        return paths;
    }

    static uint32_t Value(const std::string& data, size_t offset) {
        uint32_t v = 0;
        if (data.size() >= offset + 4) std::memcpy(&v, data.data() + offset, 4);
        return v;
    }

    LoadedCamera camera{"[Card]\r\nCapacity=1000\r\n"};
};

}  // namespace

TEST_F(SdCardPackets, StatusIsZeroWithTheCardAndOneForEveryCommandWithout) {
    EXPECT_EQ(Send(device::kSdGetStatus).status, 0);
    ASSERT_TRUE(camera.control().RemoveCard());
    const struct { uint16_t code; const char* name; } kCommands[] = {
        {device::kSdGetStatus, ""},           {device::kSdGetFolderList, ""},
        {device::kSdGetJpegFile, "C:\\DCIM\\100KORVO\\IMAG0001.JPG"},
        {device::kSdGetFileList, "C:\\DCIM\\100KORVO"}, {device::kSdGetPlayList, "C:\\PLAYLIST.TXT"},
        {device::kSdSetJpegFile, "C:\\DCIM\\IMAG0009.JPG"}, {device::kSdDeleteFolder, "C:\\MISC"},
        {device::kSdCreateFolder, "C:\\DCIM\\102ABCDE"}, {device::kSdSetPlayList, "C:\\PLAYLIST.TXT"},
        {device::kSdEndWrite, ""},
    };
    for (const auto& c : kCommands) {
        PacketResult r = Send(c.code, c.name, "x");
        ASSERT_TRUE(r.accepted) << std::hex << c.code;
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.status, device::kSdNoCard) << std::hex << c.code;
    }
    EXPECT_TRUE(FileExists(Card(L"MISC")));
    ASSERT_TRUE(camera.control().InsertCard());
    EXPECT_EQ(Send(device::kSdGetStatus).status, 0);
}

TEST_F(SdCardPackets, FolderListNamesTheTopFoldersAndTheFoldersInThem) {
    PacketResult r = Send(device::kSdGetFolderList);
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.data.size() % device::kListingEntrySize, 0u);
    EXPECT_EQ(Entries(r.data), (std::vector<std::string>{"C:\\DCIM", "C:\\DCIM\\100KORVO", "C:\\DCIM\\101_TEST",
                                                          "C:\\MISC"}));
}

TEST_F(SdCardPackets, FileListGivesTotalCountAndFullPathsOfFilesOnly) {
    ::CreateDirectoryW(Card(L"DCIM\\100KORVO\\SUB").c_str(), nullptr);
    PacketResult r = Send(device::kSdGetFileList, "C:\\DCIM\\100KORVO");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(Value(r.data, 0), 500u);
    EXPECT_EQ(Value(r.data, 4), 2u);
    EXPECT_EQ(Entries(r.data, 8), (std::vector<std::string>{"C:\\DCIM\\100KORVO\\IMAG0001.JPG",
                                                             "C:\\DCIM\\100KORVO\\IMAG0002.JPG"}));

    PacketResult empty = Send(device::kSdGetFileList, "C:\\DCIM\\101_TEST");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(Value(empty.data, 4), 0u);
    EXPECT_EQ(Send(device::kSdGetFileList, "C:\\DCIM\\999NONE").status, standin::kStatusNotFound);
}

TEST_F(SdCardPackets, FilesAndThePlayListReadBackAsWritten) {
    PacketResult picture = Send(device::kSdGetJpegFile, "C:\\DCIM\\100KORVO\\IMAG0001.JPG");
    EXPECT_EQ(picture.status, 0);
    EXPECT_EQ(picture.data, std::string(300, 'a'));
    EXPECT_EQ(Send(device::kSdGetJpegFile, "C:\\DCIM\\100KORVO\\IMAG0404.JPG").status, standin::kStatusNotFound);

    EXPECT_EQ(Send(device::kSdGetPlayList, "C:\\PLAYLIST.TXT").data, "IMAG0001.JPG,0,5\r\n");
    EXPECT_EQ(Send(device::kSdSetPlayList, "C:\\PLAYLIST.TXT", "IMAG0002.JPG,1,10\r\n").status, 0);
    EXPECT_EQ(Send(device::kSdGetPlayList, "C:\\PLAYLIST.TXT").data, "IMAG0002.JPG,1,10\r\n");
    EXPECT_EQ(Send(device::kSdEndWrite).status, 0);
}

TEST_F(SdCardPackets, SetJpegFileWritesNewPicturesRefusesLockedOnesAndAFullCard) {
    // 518 bytes are on the card of 1000.
    EXPECT_EQ(Send(device::kSdSetJpegFile, "C:\\DCIM\\100KORVO\\IMAG0003.JPG", std::string(400, 'c')).status, 0);
    EXPECT_EQ(ReadFileBytes(Card(L"DCIM\\100KORVO\\IMAG0003.JPG")), std::string(400, 'c'));
    EXPECT_EQ(Send(device::kSdSetJpegFile, "C:\\DCIM\\100KORVO\\IMAG0002.JPG", "new").status,
              device::kSdLockedImage);
    EXPECT_EQ(ReadFileBytes(Card(L"DCIM\\100KORVO\\IMAG0002.JPG")), std::string(200, 'b'));
    EXPECT_EQ(Send(device::kSdSetJpegFile, "C:\\DCIM\\100KORVO\\IMAG0004.JPG", std::string(100, 'd')).status,
              device::kSdCardFull);
    EXPECT_FALSE(FileExists(Card(L"DCIM\\100KORVO\\IMAG0004.JPG")));
    // Replacing a file counts only the difference.
    EXPECT_EQ(Send(device::kSdSetJpegFile, "C:\\DCIM\\100KORVO\\IMAG0003.JPG", std::string(480, 'e')).status, 0);
    EXPECT_EQ(Send(device::kSdSetJpegFile, "C:\\DCIM\\999NONE\\IMAG0001.JPG", "x").status,
              standin::kStatusNotFound);
}

TEST_F(SdCardPackets, WriteFailingHalfWayKeepsThePreviousFileByteForByte) {
    const struct {
        uint16_t code;
        const char* name;
        const wchar_t* host;
        const wchar_t* folder;
    } kWrites[] = {
        {device::kSdSetJpegFile, "C:\\DCIM\\100KORVO\\IMAG0001.JPG", L"DCIM\\100KORVO\\IMAG0001.JPG", L"DCIM\\100KORVO"},
        {device::kSdSetPlayList, "C:\\PLAYLIST.TXT", L"PLAYLIST.TXT", L""},
    };
    for (const auto& w : kWrites) {
        std::string before = ReadFileBytes(Card(w.host));
        size_t entries = HostEntries(w.folder);
        camera.control().FailCardWrites(1);
        EXPECT_EQ(Send(w.code, w.name, std::string(250, 'z')).status, standin::kStatusIoError) << w.name;
        EXPECT_EQ(ReadFileBytes(Card(w.host)), before) << w.name;
        EXPECT_EQ(HostEntries(w.folder), entries) << w.name << ": a partial file was left beside it";

        EXPECT_EQ(Send(w.code, w.name, std::string(250, 'z')).status, 0) << w.name;
        EXPECT_EQ(ReadFileBytes(Card(w.host)), std::string(250, 'z')) << w.name;
        EXPECT_EQ(HostEntries(w.folder), entries) << w.name;
    }
}

TEST_F(SdCardPackets, CreateAndDeleteFolders) {
    EXPECT_EQ(Send(device::kSdCreateFolder, "C:\\DCIM\\102ABCDE").status, 0);
    EXPECT_TRUE(FileExists(Card(L"DCIM\\102ABCDE")));
    EXPECT_EQ(Send(device::kSdCreateFolder, "C:\\DCIM\\102ABCDE").status, standin::kStatusExists);
    EXPECT_EQ(Send(device::kSdCreateFolder, "C:\\NONE\\103ABCDE").status, standin::kStatusNotFound);

    EXPECT_EQ(Send(device::kSdDeleteFolder, "C:\\DCIM\\100KORVO").status, device::kSdLockedImage);
    EXPECT_TRUE(FileExists(Card(L"DCIM\\100KORVO\\IMAG0001.JPG")));
    WriteFileBytes(Card(L"DCIM\\101_TEST\\IMAG0005.JPG"), "x");
    EXPECT_EQ(Send(device::kSdDeleteFolder, "C:\\DCIM\\101_TEST").status, 0);
    EXPECT_FALSE(FileExists(Card(L"DCIM\\101_TEST")));
    EXPECT_EQ(Send(device::kSdDeleteFolder, "C:\\DCIM\\101_TEST").status, standin::kStatusNotFound);
    EXPECT_EQ(Send(device::kSdDeleteFolder, "C:\\").status, standin::kStatusBadName);
    EXPECT_TRUE(FileExists(Card(L"DCIM")));
}

TEST_F(SdCardPackets, PathsLeavingTheCardAreRefusedAndNothingIsWrittenOutside) {
    for (const char* name : {"C:\\..\\outside.jpg", "C:\\DCIM\\..\\..\\outside.jpg", "D:\\outside.jpg",
                             "C:outside.jpg", "C:\\DCIM\\x.jpg:stream", "C:\\NUL", "\\\\host\\outside.jpg"}) {
        PacketResult r = Send(device::kSdSetJpegFile, name, "escape");
        ASSERT_TRUE(r.accepted) << name;
        EXPECT_EQ(r.status, standin::kStatusBadName) << name;
    }
    EXPECT_FALSE(FileExists(camera.folder() + L"outside.jpg"));
}

TEST_F(SdCardPackets, AsynchronousReadCompletesAtTheWindow) {
    device::RequestHeader header = device::MakeRequest(device::kSdGetJpegFile);
    char name[device::kPacketNameSize] = "C:\\DCIM\\100KORVO\\IMAG0001.JPG";
    device::CommandPacket packet{};
    packet.request = &header;
    packet.name = name;
    DWORD value = 0, detail = 0;
    ASSERT_TRUE(camera->bRequestPacketAsync(camera.window(), &packet, &value, &detail));
    std::memset(name, 0, sizeof(name));  // the packet lives for the call only
    auto done = camera.WaitForCompletion();
    ASSERT_TRUE(done);
    EXPECT_EQ(done->threadId, packet.threadId);
    EXPECT_EQ(done->code, device::kSdGetJpegFile);
    EXPECT_EQ(done->status, 0);
    EXPECT_EQ(done->data, std::string(300, 'a'));
}

TEST_F(SdCardPackets, MalformedPacketsAreRefusedAtTheCall) {
    device::RequestHeader header = device::MakeRequest(device::kSdGetJpegFile);
    char unterminated[device::kPacketNameSize];
    std::memset(unterminated, 'A', sizeof(unterminated));
    device::CommandPacket noEnd{};
    noEnd.request = &header;
    noEnd.name = unterminated;
    device::CommandPacket noHeader{};
    device::RequestHeader unknown = device::MakeRequest(0x8199);
    device::CommandPacket unknownCode{};
    unknownCode.request = &unknown;
    device::RequestHeader write = device::MakeRequest(device::kSdSetJpegFile);
    device::CommandPacket sizeWithoutData{};
    sizeWithoutData.request = &write;
    sizeWithoutData.sendSize = 10;
    for (device::CommandPacket* packet : {&noEnd, &noHeader, &unknownCode, &sizeWithoutData}) {
        DWORD detail = 0;
        EXPECT_FALSE(camera->bRequestPacket(packet, &detail));
        EXPECT_EQ(detail, standin::kErrorBadArgument);
        EXPECT_EQ(packet->response, nullptr);
    }
    DWORD detail = 0;
    EXPECT_FALSE(camera->bRequestPacket(nullptr, &detail));
}

TEST_F(SdCardPackets, FailedResponsesCarryAStatusAndNoData) {
    camera.control().FailResponses(1);
    PacketResult r = Send(device::kSdGetJpegFile, "C:\\DCIM\\100KORVO\\IMAG0001.JPG");
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(r.status, standin::kStatusDeviceFault);
    EXPECT_TRUE(r.data.empty());
}
