#pragma once
// Output names the camera accepts: "IMAG0001.jpg" to "IMAG9999.jpg", always
// above the highest number already in the folder (gaps are not filled).
#include <string>

constexpr int kLastImageNumber = 9999;

// The highest number of an "IMAG????.JPG" file in `folder` (with a trailing
// backslash); 0 when there is none.
int FindMaxImageNumber(const std::wstring& folder);
// "<folder>IMAG<nnnn>.jpg".
std::wstring ImageFileName(const std::wstring& folder, int number);
// Whether `name` (a file name, no folder) is "IMAG" and four digits from 1 to
// 9999 and ".JPG" in any case; `number` receives them.
bool ParseImageNumber(const std::wstring& name, int& number);
