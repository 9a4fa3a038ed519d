#include "convert/ImageNumbering.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "Handles.h"
#include "Strings.h"

bool ParseImageNumber(const std::wstring& name, int& number) {
    if (name.size() < 8) return false;
    number = 0;
    for (size_t i = 4; i < 8; ++i) {
        if (!std::iswdigit(name[i])) return false;
        number = number * 10 + (name[i] - L'0');
    }
    return number >= 1 && number <= kLastImageNumber;
}

int FindMaxImageNumber(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    fw::FindHandle find(::FindFirstFileW((folder + L"IMAG????.JPG").c_str(), &found));
    if (!find) return 0;
    int highest = 0;
    do {
        int number = 0;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ParseImageNumber(found.cFileName, number))
            highest = std::max(highest, number);
    } while (::FindNextFileW(find.get(), &found));
    return highest;
}

std::wstring ImageFileName(const std::wstring& folder, int number) {
    return fw::Format(L"%sIMAG%04d.jpg", folder.c_str(), number);
}
