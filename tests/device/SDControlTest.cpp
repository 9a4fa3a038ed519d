#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "DeviceCommand.h"
#include "SDControl.h"

using namespace device;

namespace {

// A device-control object that answers card commands from a script and
// checks that every response comes back, with its data freed.
class ScriptedDevice final : public IDeviceControl {
public:
    struct Answer {
        int32_t status = 0;
        std::string data;
        uint32_t claimedSize = UINT32_MAX;  // size reported; default: the data's
    };
    std::function<Answer(uint16_t code, const std::string& name, const std::string& sent)> answer;
    int calls = 0;
    std::vector<std::string> names;
    std::vector<std::string> rawNames;

    void __stdcall SetNotifyWindow(HWND) override {}
    BOOL __stdcall IsConnect() override { return TRUE; }
    BOOL __stdcall bOpen(HWND, DWORD*) override { return TRUE; }
    BOOL __stdcall bClose(DWORD*) override { return TRUE; }
    BOOL __stdcall bRequestPacketAsync(HWND, void*, DWORD*, DWORD*) override { return ++calls, TRUE; }
    BOOL __stdcall bRequestAsync(HWND, const RequestHeader*, DWORD*, DWORD*) override { return FALSE; }
    BOOL __stdcall bRequest(const RequestHeader*, HGLOBAL*, DWORD*, DWORD*) override { return FALSE; }

    BOOL __stdcall bRequestPacket(void* raw, DWORD*) override {
        ++calls;
        auto* packet = static_cast<CommandPacket*>(raw);
        std::string name = packet->name ? std::string(packet->name) : "";
        names.push_back(name);
        if (packet->name) rawNames.emplace_back(packet->name, kPacketNameSize);
        std::string sent(static_cast<const char*>(packet->sendData ? packet->sendData : ""), packet->sendSize);
        Answer a = answer ? answer(packet->request->command, name, sent) : Answer{};
        auto* record = new ResponseRecord{};
        record->kind = a.data.empty() ? 0 : kResponseWithData;
        record->code = packet->request->command;
        record->status = a.status;
        record->size = a.claimedSize == UINT32_MAX ? static_cast<uint32_t>(a.data.size()) : a.claimedSize;
        if (!a.data.empty()) {
            record->data = ::GlobalAlloc(GMEM_MOVEABLE, a.data.size());
            std::memcpy(::GlobalLock(record->data), a.data.data(), a.data.size());
            ::GlobalUnlock(record->data);
        }
        packet->response = record;
        packet->threadId = ::GetCurrentThreadId();
        return TRUE;
    }

    // Takes back the posted records; each must have had its data freed.
    int TakeBackResponses() {
        int n = 0;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_DEVICE_RESPONSE_RELEASE, WM_DEVICE_RESPONSE_RELEASE, PM_REMOVE)) {
            auto* record = reinterpret_cast<ResponseRecord*>(msg.lParam);
            EXPECT_EQ(record->data, nullptr) << "data block not freed by the receiver";
            delete record;
            ++n;
        }
        return n;
    }
};

std::string Entry(const std::string& path) {
    std::string e(kListingEntrySize, '\0');
    e.replace(0, path.size(), path);
    return e;
}

std::string FileList(uint32_t count, const std::vector<std::string>& paths) {
    std::string data(8, '\0');
    std::memcpy(&data[4], &count, 4);
    for (const auto& p : paths) data += Entry(p);
    return data;
}

std::string ReceivedBytes(HGLOBAL copy) {
    auto* record = static_cast<SdReceivedFile*>(::GlobalLock(copy));
    std::string bytes(static_cast<const char*>(::GlobalLock(record->data)), record->size);
    ::GlobalUnlock(record->data);
    ::GlobalUnlock(copy);
    return bytes;
}

}  // namespace

TEST(CardCommands, WithoutDeviceEveryMethodFailsWithoutACall) {
    CSDControl sd(nullptr);
    std::wstring dcim = L"unchanged";
    EXPECT_FALSE(sd.SD_GetStatus());
    EXPECT_EQ(sd.status(), CSDControl::kFailed);
    EXPECT_EQ(sd.SD_GetFolderList(), nullptr);
    EXPECT_EQ(sd.SD_GetFileList(L"C:\\DCIM"), nullptr);
    EXPECT_EQ(sd.SD_GetJpegFile(L"C:\\DCIM\\A.JPG"), nullptr);
    EXPECT_FALSE(sd.SD_GetJpegFile(HWND_MESSAGE, L"C:\\DCIM\\A.JPG"));
    EXPECT_EQ(sd.SD_GetPlayList(), nullptr);
    EXPECT_EQ(sd.SD_SetJpegFile(L"C:\\A.JPG", "x", 1), CSDControl::kFailed);
    EXPECT_FALSE(sd.SD_DeleteFolder(L"C:\\DCIM"));
    EXPECT_FALSE(sd.SD_CreateFolder(L"C:\\DCIM\\NEW"));
    EXPECT_FALSE(sd.SD_SetPlayList("x", 1));
    EXPECT_FALSE(sd.SD_EndWrite());
    sd.FindDcimFolder(dcim);
    EXPECT_EQ(dcim, L"unchanged");
    EXPECT_EQ(sd.status(), CSDControl::kFailed);
}

TEST(CardCommands, FileNamesOfOneTo32CharactersAreSentWhole) {
    ScriptedDevice device;
    CSDControl sd(&device);
    EXPECT_EQ(sd.SD_SetJpegFile(L"", "x", 1), CSDControl::kFailed);
    EXPECT_EQ(sd.SD_SetJpegFile(std::wstring(33, L'A'), "x", 1), CSDControl::kFailed);
    EXPECT_EQ(device.calls, 0);
    std::wstring longest = L"C:\\DCIM\\100KORVO\\" + std::wstring(15, L'B');
    EXPECT_EQ(sd.SD_SetJpegFile(longest, "jpeg", 4), 0);
    ASSERT_EQ(device.rawNames.size(), 1u);
    EXPECT_EQ(device.rawNames[0].substr(0, 32), std::string(longest.begin(), longest.end()));
    EXPECT_EQ(device.rawNames[0].substr(32), std::string(4, '\0'));
    EXPECT_EQ(device.TakeBackResponses(), 1);
}

TEST(CardCommands, NamesLongerThanThePacketFieldAreRefusedWithoutACall) {
    // A listed folder may be 35 bytes long; cut to 32 it could name its own prefix.
    const std::wstring tooLong = L"C:\\DCIM\\100KORVO\\" + std::wstring(16, L'B');
    ASSERT_EQ(tooLong.size(), 33u);
    ScriptedDevice device;
    CSDControl sd(&device);
    struct Case {
        const char* what;
        std::function<bool()> refused;
    } cases[] = {
        {"delete folder", [&] { return !sd.SD_DeleteFolder(tooLong); }},
        {"create folder", [&] { return !sd.SD_CreateFolder(tooLong); }},
        {"file list", [&] { return sd.SD_GetFileList(tooLong) == nullptr; }},
        {"read file", [&] { return sd.SD_GetJpegFile(tooLong) == nullptr; }},
        {"read file to a window", [&] { return !sd.SD_GetJpegFile(HWND_MESSAGE, tooLong); }},
        {"write file", [&] { return sd.SD_SetJpegFile(tooLong, "x", 1) == CSDControl::kFailed; }},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.refused()) << c.what;
        EXPECT_EQ(device.calls, 0) << c.what;
    }
    EXPECT_EQ(sd.status(), CSDControl::kFailed);

    // Bytes count, not characters, where the code page has double-byte characters.
    CPINFO info{};
    if (::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1) {
        std::wstring wide = L"C:\\" + std::wstring(15, L'\u3042');  // 3 + 30 bytes
        EXPECT_EQ(sd.SD_SetJpegFile(wide, "x", 1), CSDControl::kFailed);
        EXPECT_FALSE(sd.SD_DeleteFolder(wide));
        EXPECT_EQ(device.calls, 0);
    }
}

TEST(CardCommands, StatusCodesReachTheCaller) {
    ScriptedDevice device;
    int32_t next = 1;
    device.answer = [&](uint16_t, const std::string&, const std::string&) { ScriptedDevice::Answer a;
        a.status = next;
        return a;
    };
    CSDControl sd(&device);
    EXPECT_FALSE(sd.SD_GetStatus());
    EXPECT_EQ(sd.status(), kSdNoCard);
    next = kSdLockedImage;
    EXPECT_EQ(sd.SD_SetJpegFile(L"C:\\A.JPG", "x", 1), kSdLockedImage);
    next = kSdCardFull;
    EXPECT_EQ(sd.SD_SetJpegFile(L"C:\\A.JPG", "x", 1), kSdCardFull);
    next = 0;
    EXPECT_TRUE(sd.SD_GetStatus());
    EXPECT_TRUE(sd.SD_CreateFolder(L"C:\\DCIM\\NEW"));
    EXPECT_TRUE(sd.SD_EndWrite());
    EXPECT_EQ(device.TakeBackResponses(), 6);
}

TEST(CardListings, OnlyWholeEntriesAreReadFromAFolderList) {
    ScriptedDevice device;
    device.answer = [](uint16_t code, const std::string& name, const std::string&) {
        EXPECT_EQ(code, kSdGetFolderList);
        EXPECT_EQ(name, "");
        return ScriptedDevice::Answer{0, Entry("C:\\DCIM") + Entry("C:\\DCIM\\100KORVO") + std::string(20, 'x')};
    };
    CSDControl sd(&device);
    const auto* list = sd.SD_GetFolderList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_STREQ((*list)[1].path, "C:\\DCIM\\100KORVO");
    EXPECT_EQ(device.TakeBackResponses(), 1);
}

TEST(CardListings, DamagedListingsFailWithoutReadingPastTheData) {
    struct Case {
        const char* what;
        uint16_t code;
        ScriptedDevice::Answer answer;
    } cases[] = {
        {"count beyond the data", kSdGetFileList, {0, FileList(3, {"C:\\DCIM\\100KORVO\\IMAG0001.JPG"})}},
        {"no count at all", kSdGetFileList, {0, std::string(6, '\0')}},
        {"size beyond the block", kSdGetFolderList, {0, Entry("C:\\DCIM"), 4 * 36}},
        {"file size beyond the block", kSdGetJpegFile, {0, "\xFF\xD8", 4096}},
    };
    for (const Case& c : cases) {
        ScriptedDevice device;
        device.answer = [&](uint16_t, const std::string&, const std::string&) { return c.answer; };
        CSDControl sd(&device);
        if (c.code == kSdGetJpegFile) {
            EXPECT_EQ(sd.SD_GetJpegFile(L"C:\\A.JPG"), nullptr) << c.what;
        } else if (c.code == kSdGetFileList) {
            EXPECT_EQ(sd.SD_GetFileList(L"C:\\DCIM\\100KORVO"), nullptr) << c.what;
        } else {
            EXPECT_EQ(sd.SD_GetFolderList(), nullptr) << c.what;
        }
        EXPECT_EQ(sd.status(), CSDControl::kFailed) << c.what;
        EXPECT_EQ(device.TakeBackResponses(), 1) << c.what;
    }
}

TEST(CardListings, FileListTakesItsCountedEntries) {
    ScriptedDevice device;
    device.answer = [](uint16_t, const std::string& name, const std::string&) {
        EXPECT_EQ(name, "C:\\DCIM\\100KORVO");
        return ScriptedDevice::Answer{
            0, FileList(2, {"C:\\DCIM\\100KORVO\\IMAG0001.JPG", "C:\\DCIM\\100KORVO\\IMAG0002.JPG"})};
    };
    CSDControl sd(&device);
    const auto* list = sd.SD_GetFileList(L"C:\\DCIM\\100KORVO");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_STREQ((*list)[0].path, "C:\\DCIM\\100KORVO\\IMAG0001.JPG");
    sd.Clear();
    EXPECT_EQ(sd.entryList(), nullptr);
    EXPECT_EQ(device.TakeBackResponses(), 1);
}

TEST(CardListings, DcimFolderIsFoundAsListedByTheCard) {
    struct Case {
        std::vector<std::string> folders;
        std::wstring expected;
    } cases[] = {
        {{"C:\\DCIM", "C:\\MISC"}, L"C:\\DCIM"},
        {{"C:\\MISC", "c:\\dcim\\100KORVO"}, L"c:\\dcim"},
        {{"C:\\DCI", "C:\\PICTURES"}, L"unchanged"},
    };
    for (const Case& c : cases) {
        ScriptedDevice device;
        device.answer = [&](uint16_t, const std::string&, const std::string&) {
            std::string data;
            for (const auto& f : c.folders) data += Entry(f);
            return ScriptedDevice::Answer{0, data};
        };
        CSDControl sd(&device);
        std::wstring out = L"unchanged";
        sd.FindDcimFolder(out);
        EXPECT_EQ(out, c.expected);
        EXPECT_EQ(sd.entryList(), nullptr);
        EXPECT_EQ(device.TakeBackResponses(), 1);
    }
}

TEST(CardFiles, ReceivedFilesAreCopiedAndSentDataReachesTheCard) {
    ScriptedDevice device;
    std::string sentPlayList;
    device.answer = [&](uint16_t code, const std::string& name, const std::string& sent) {
        if (code == kSdSetPlayList) sentPlayList = sent;
        if (code == kSdGetPlayList) {
            EXPECT_EQ(name, "C:\\PLAYLIST.TXT");
        }
        return ScriptedDevice::Answer{0, code == kSdGetPlayList ? "C:\\DCIM\\100KORVO\\IMAG0001.JPG,5\r\n" : ""};
    };
    CSDControl sd(&device);
    ASSERT_TRUE(sd.SD_SetPlayList("line\r\n", 6));
    EXPECT_EQ(sentPlayList, "line\r\n");
    HGLOBAL copy = sd.SD_GetPlayList();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(ReceivedBytes(copy), "C:\\DCIM\\100KORVO\\IMAG0001.JPG,5\r\n");
    EXPECT_EQ(device.TakeBackResponses(), 2);
}
