#include "Output.h"

namespace installer {

namespace {

std::wstring Hex(DWORD value) {
    wchar_t digits[11];
    wsprintfW(digits, L"0x%08X", value);
    return digits;
}

}  // namespace

void Output::SystemError(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    // SetupAPI's own codes (0xE000xxxx) have no text in the system table:
    // the number is still better than nothing.
    Write(L"ERROR: " + (length && text ? std::wstring(text, length) : Hex(error)) + L"\r\n");
    if (text) LocalFree(text);
}

void StdOutput::Write(const std::wstring& text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE || text.empty()) return;
    DWORD written = 0;
    WriteFile(out, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
}

}  // namespace installer
