#include "transfer/CameraNames.h"

#include <windows.h>

namespace {

// Plain ASCII classes: the camera knows nothing of other scripts' letters.
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsWordChar(wchar_t c) {
    return IsDigit(c) || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_';
}

bool AllOf(const std::wstring& text, size_t from, size_t to, bool (*test)(wchar_t)) {
    for (size_t i = from; i < to; ++i)
        if (!test(text[i])) return false;
    return true;
}

int NumberOf(const std::wstring& text, size_t from, size_t to) {
    int value = 0;
    for (size_t i = from; i < to; ++i) value = value * 10 + (text[i] - L'0');
    return value;
}

}  // namespace

bool IsCameraFolderName(const std::wstring& name) {
    if (name.size() != 8 || !AllOf(name, 0, 3, IsDigit) || !AllOf(name, 3, 8, IsWordChar)) return false;
    return NumberOf(name, 0, 3) > 99;
}

bool IsCameraFileName(const std::wstring& name) {
    const size_t dot = name.find(L'.');
    if (dot != 8 || ::lstrcmpiW(name.c_str() + dot, L".JPG") != 0) return false;
    if (!AllOf(name, 0, 4, IsWordChar) || !AllOf(name, 4, 8, IsDigit)) return false;
    return NumberOf(name, 4, 8) != 0;
}
