#include "CameraSettings.h"

#include <algorithm>
#include <cwchar>

#include "ControlBlock.h"

namespace standin {

namespace {
class IniFile {
public:
    explicit IniFile(const std::wstring& path) : path_(path) {}
    int Int(const wchar_t* section, const wchar_t* key, int fallback, int low, int high) const {
        return std::clamp(static_cast<int>(::GetPrivateProfileIntW(section, key, fallback, path_.c_str())), low, high);
    }
    std::wstring Text(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) const {
        wchar_t buffer[MAX_PATH * 2] = {};
        ::GetPrivateProfileStringW(section, key, fallback, buffer, MAX_PATH * 2, path_.c_str());
        return buffer;
    }

private:
    std::wstring path_;
};

std::wstring Resolve(const std::wstring& folder, const std::wstring& base) {
    if (folder.empty()) return folder;
    bool absolute = folder.size() > 1 && (folder[1] == L':' || (folder[0] == L'\\' && folder[1] == L'\\'));
    return absolute ? folder : base + folder;
}
}  // namespace

CameraSettings CameraSettings::Load(const std::wstring& iniPath, const std::wstring& baseFolder) {
    IniFile ini(iniPath);
    CameraSettings s;
    s.connected = ini.Int(L"Camera", L"Connected", 1, 0, 1) != 0;
    s.frameFolder = Resolve(ini.Text(L"Camera", L"FrameFolder", L""), baseFolder);
    s.frameRate = ini.Int(L"Camera", L"FrameRate", 30, 0, kMaxFrameRate);
    s.delayMs = ini.Int(L"Camera", L"ResponseDelay", 0, 0, kMaxDelayMs);
    s.preparedFrames = ini.Int(L"Camera", L"PreparedFrames", 0, 0, 1000);
    s.stampFrames = ini.Int(L"Camera", L"StampFrames", 0, 0, 1) != 0;
    s.cardFolder = Resolve(ini.Text(L"Card", L"Folder", L"SDCard"), baseFolder);
    s.cardInserted = ini.Int(L"Card", L"Inserted", 1, 0, 1) != 0;
    s.cardCapacity = std::wcstoull(ini.Text(L"Card", L"Capacity", L"0").c_str(), nullptr, 10);
    s.refuseRequests = ini.Int(L"Faults", L"RefuseRequests", 0, 0, 1 << 30);
    s.failResponses = ini.Int(L"Faults", L"FailResponses", 0, 0, 1 << 30);
    s.corruptFrames = ini.Int(L"Faults", L"CorruptFrames", 0, 0, 1 << 30);
    s.emptyFrames = ini.Int(L"Faults", L"EmptyFrames", 0, 0, 1 << 30);
    return s;
}

}  // namespace standin
