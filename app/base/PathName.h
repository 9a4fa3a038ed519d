#pragma once
// A path split into drive, folder, name and extension, and the file-name test
// that keeps reserved device names and forbidden characters out.
#include <string>

class CPathName {
public:
    CPathName() = default;
    explicit CPathName(const std::wstring& path) { SetPath(path); }

    void SetPath(const std::wstring& path);
    const std::wstring& path() const { return path_; }

    std::wstring DriveFolder() const { return drive_ + folder_; }
    std::wstring NameExtension() const { return name_ + extension_; }
    std::wstring DriveFolderName() const { return drive_ + folder_ + name_; }
    const std::wstring& Extension() const { return extension_; }
    const std::wstring& Drive() const { return drive_; }
    const std::wstring& Folder() const { return folder_; }
    const std::wstring& Name() const { return name_; }

    bool IsValidFileName() const;

private:
    std::wstring path_;
    std::wstring drive_;      // up to 2 characters and terminator
    std::wstring folder_;     // up to 255
    std::wstring name_;       // up to 255
    std::wstring extension_;  // up to 255
};
