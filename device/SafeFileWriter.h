#pragma once
// Writes a file beside its target and puts it in place only once it is
// complete, so a failed save never destroys the file it was meant to replace
// and never leaves a partial one behind.
#include <windows.h>

#include <string>

namespace device {

class SafeFileWriter {
public:
    explicit SafeFileWriter(const wchar_t* target);
    ~SafeFileWriter();  // removes the temporary file unless committed
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary file in the target's folder; false when the folder
    // is missing or not writable.
    bool Open();
    bool Write(const void* data, size_t size);
    // Closes the temporary file and moves it over the target.
    bool Commit();

private:
    void Discard();

    std::wstring target_;
    std::wstring temp_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// The whole of one buffer as the new content of path.
bool WriteFileSafely(const wchar_t* path, const void* data, size_t size);

}  // namespace device
