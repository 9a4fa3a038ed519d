#pragma once
// The camera's play list file (C:\PLAYLIST.TXT) and the thumbnail cache's
// paths, as plain functions the windows call and the tests try directly.
#include <array>
#include <string>
#include <vector>

constexpr int kEffectCount = 21;
constexpr int kIntervalCount = 5;
constexpr int kNoEffect = 20;      // "None"
constexpr int kShortInterval = 0;  // "3" seconds
constexpr size_t kMaxCardPathLength = 32;

// The names the camera knows its codes by; empty outside the tables.
const wchar_t* EffectName(int code);
const wchar_t* IntervalText(int code);

// "SE11" -> 11 for prefix "SE": decimal digits only and at most `max`; just
// the prefix gives 0; anything else gives `fallback`.
int ParseCode(const std::wstring& text, const wchar_t* prefix, int max, int fallback);

// The row text of a picture path ("C:\DCIM\100ABCDE\IMAG0001.JPG" gives
// "100ABCDE\IMAG0001.JPG"); empty when the camera would not play it: over
// 32 characters, not below DCIM, or not exactly one camera folder deep.
std::wstring PlayListDisplayName(const std::wstring& path);

// The file's lines, each cut into its first three comma-separated fields.
using PlayListFields = std::array<std::wstring, 3>;
std::vector<PlayListFields> SplitPlayList(const std::string& ansiText);
std::wstring PlayListLine(const std::wstring& path, int effect, int interval);

// "%TEMP%\PictavoQZT_Cache" (C:\Temp\ when the system names no folder).
std::wstring ThumbnailCacheRoot();
// The card folder with ':' and '\' left out: C:\DCIM\100ABCDE gives CDCIM100ABCDE.
std::wstring CacheFolderName(const std::wstring& cardFolder);
// Where the thumbnail of the card picture `cardPath` is kept.
std::wstring CachedThumbnailPath(const std::wstring& cacheRoot, const std::wstring& cardPath);
