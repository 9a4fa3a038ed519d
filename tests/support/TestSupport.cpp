#include "TestSupport.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include "Handles.h"
#include "MessageBox.h"
#include "Strings.h"
#include "base/Utilities.h"

namespace testing_support {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    path_ = fw::Format(L"%spictavo-test-%lu-%d-%lu\\", temp, ::GetCurrentProcessId(), counter++, ::GetTickCount());
    ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    try {
        DeleteFolderTree(path_);
    } catch (const FileException&) {
    }
}

RegistryValue::RegistryValue(HKEY hive, std::wstring subKey, std::wstring name)
    : hive_(hive), subKey_(std::move(subKey)), name_(std::move(name)) {
    fw::RegKey key;
    if (::RegOpenKeyExW(hive_, subKey_.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), name_.c_str(), nullptr, &type_, nullptr, &size) != ERROR_SUCCESS) return;
    old_.resize(size);
    existed_ = ::RegQueryValueExW(key.get(), name_.c_str(), nullptr, &type_, old_.data(), &size) == ERROR_SUCCESS;
}

RegistryValue::~RegistryValue() {
    fw::RegKey key;
    if (::RegCreateKeyExW(hive_, subKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.receive(), nullptr) !=
        ERROR_SUCCESS)
        return;
    if (existed_)
        ::RegSetValueExW(key.get(), name_.c_str(), 0, type_, old_.data(), static_cast<DWORD>(old_.size()));
    else
        ::RegDeleteValueW(key.get(), name_.c_str());
}

void RegistryValue::SetString(const std::wstring& value) {
    fw::RegKey key;
    ::RegCreateKeyExW(hive_, subKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.receive(), nullptr);
    ::RegSetValueExW(key.get(), name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegistryValue::SetDword(DWORD value) {
    fw::RegKey key;
    ::RegCreateKeyExW(hive_, subKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.receive(), nullptr);
    ::RegSetValueExW(key.get(), name_.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

void RegistryValue::Delete() {
    fw::RegKey key;
    if (::RegOpenKeyExW(hive_, subKey_.c_str(), 0, KEY_ALL_ACCESS, key.receive()) == ERROR_SUCCESS)
        ::RegDeleteValueW(key.get(), name_.c_str());
}

RegistryValue InstallPathValue() {
    return RegistryValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vexa\\Utility Software (QZT)\\Parameters", L"InstallPath");
}

RegistryValue JpegLibValue() {
    return RegistryValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vexa\\Utility Software (QZT)\\Parameters", L"JpegLib");
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t nl; (nl = text.find("\r\n", start)) != std::string::npos; start = nl + 2)
        lines.push_back(text.substr(start, nl - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring TestProgramFolder() { return fw::ModuleFolder(nullptr); }

MessageBoxRecorder::MessageBoxRecorder(int answer) : MessageBoxRecorder(std::vector<int>{}, answer) {}

MessageBoxRecorder::MessageBoxRecorder(std::vector<int> answers, int answer) {
    fw::SetMessageBoxHandler([this, answers, answer](HWND, const std::wstring& text, const std::wstring& caption,
                                                     UINT type) {
        boxes_.push_back({text, caption, type});
        return boxes_.size() <= answers.size() ? answers[boxes_.size() - 1] : answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { fw::SetMessageBoxHandler(nullptr); }

}  // namespace testing_support
