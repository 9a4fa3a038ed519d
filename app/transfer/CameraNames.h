#pragma once
// The names the camera shows on its card: folders "100ABCDE" (three digits
// from 100, five letters, digits or underscores) and files "IMAG0001.JPG"
// (four letters, digits or underscores, four digits not all zero, ".JPG").
#include <string>

bool IsCameraFolderName(const std::wstring& name);
bool IsCameraFileName(const std::wstring& name);
