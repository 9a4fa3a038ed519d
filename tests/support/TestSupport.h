#pragma once
// Shared helpers of the test programs: temporary folders, registry values that
// are restored afterwards, files, and recorded message boxes.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder under the temporary folder, removed with its content.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return path_; }  // ends in a backslash
    std::wstring operator/(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

// Sets (or deletes, with nullopt) a registry value and puts the old one back.
class RegistryValue {
public:
    RegistryValue(HKEY hive, std::wstring subKey, std::wstring name);
    ~RegistryValue();
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;
    void SetString(const std::wstring& value);
    void SetDword(DWORD value);
    void Delete();

private:
    HKEY hive_;
    std::wstring subKey_, name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> old_;
};

// The installation folder value the trace log and the settings are read from.
RegistryValue InstallPathValue();
RegistryValue JpegLibValue();

std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::vector<std::string> SplitLines(const std::string& text);  // on "\r\n"
bool FileExists(const std::wstring& path);
std::wstring TestProgramFolder();

// Records message boxes instead of showing them, while it lives.
struct RecordedBox {
    std::wstring text, caption;
    UINT type;
};
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    // The boxes get `answers` in turn, then `answer`.
    MessageBoxRecorder(std::vector<int> answers, int answer);
    ~MessageBoxRecorder();
    const std::vector<RecordedBox>& boxes() const { return boxes_; }

private:
    std::vector<RecordedBox> boxes_;
};

}  // namespace testing_support
