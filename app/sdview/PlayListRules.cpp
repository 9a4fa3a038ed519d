#include "sdview/PlayListRules.h"

#include <windows.h>

#include "Strings.h"
#include "transfer/CameraNames.h"

namespace {

const wchar_t* const kEffects[kEffectCount] = {
    L"ALL",     L"Random",       L"Top down",  L"Left to right", L"Bottom up",  L"Right to left",  L"LT to RB",
    L"RT to LB", L"RB to LT",    L"LB to RT",  L"Random block",  L"Fade in/out", L"Overlap",       L"Shutter",
    L"Door",    L"Stripe",       L"BW to color", L"Color to sepia", L"Joint V", L"Joint H",        L"None"};
const wchar_t* const kIntervals[kIntervalCount] = {L"3", L"5", L"10", L"15", L"30"};
const std::wstring kDcim = L"\\DCIM\\";

}  // namespace

const wchar_t* EffectName(int code) { return code >= 0 && code < kEffectCount ? kEffects[code] : L""; }
const wchar_t* IntervalText(int code) { return code >= 0 && code < kIntervalCount ? kIntervals[code] : L""; }

int ParseCode(const std::wstring& text, const wchar_t* prefix, int max, int fallback) {
    const std::wstring head = prefix;
    if (text.compare(0, head.size(), head) != 0) return fallback;
    const std::wstring digits = text.substr(head.size());
    // Long runs of digits are out of range anyway; stop before they overflow.
    if (digits.size() > 4) return fallback;
    int value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return fallback;
        value = value * 10 + (c - L'0');
    }
    return value <= max ? value : fallback;
}

std::wstring PlayListDisplayName(const std::wstring& path) {
    if (path.empty() || path.size() > kMaxCardPathLength) return L"";
    const size_t dcim = path.find(kDcim);
    if (dcim == std::wstring::npos) return L"";
    const std::wstring name = path.substr(dcim + kDcim.size());
    const size_t first = name.find(L'\\');
    const size_t last = name.rfind(L'\\');
    if (first == std::wstring::npos) return L"";
    if (!IsCameraFolderName(name.substr(0, first)) || !IsCameraFolderName(name.substr(0, last))) return L"";
    return name;
}

std::vector<PlayListFields> SplitPlayList(const std::string& ansiText) {
    std::vector<PlayListFields> lines;
    for (size_t start = 0; start < ansiText.size();) {
        size_t end = ansiText.find("\r\n", start);
        if (end == std::string::npos) end = ansiText.size();
        const std::wstring line = fw::FromAnsi(ansiText.substr(start, end - start));
        PlayListFields fields;
        size_t from = 0;
        for (size_t i = 0; i < fields.size() && from <= line.size(); ++i) {
            size_t comma = line.find(L',', from);
            if (comma == std::wstring::npos) comma = line.size();
            fields[i] = line.substr(from, comma - from);
            from = comma + 1;
        }
        lines.push_back(fields);
        start = end + 2;
    }
    return lines;
}

std::wstring PlayListLine(const std::wstring& path, int effect, int interval) {
    return path + L",SE" + std::to_wstring(effect) + L",SI" + std::to_wstring(interval) + L"\r\n";
}

std::wstring ThumbnailCacheRoot() {
    wchar_t temp[MAX_PATH] = {};
    std::wstring folder = ::GetTempPathW(MAX_PATH, temp) ? temp : L"C:\\Temp\\";
    if (folder.back() != L'\\') folder += L'\\';
    return folder + L"PictavoQZT_Cache";
}

std::wstring CacheFolderName(const std::wstring& cardFolder) {
    std::wstring name;
    for (wchar_t c : cardFolder)
        if (c != L':' && c != L'\\') name += c;
    return name;
}

std::wstring CachedThumbnailPath(const std::wstring& cacheRoot, const std::wstring& cardPath) {
    const size_t last = cardPath.rfind(L'\\');
    if (last == std::wstring::npos) return cacheRoot + L"\\\\" + cardPath;
    return cacheRoot + L"\\" + CacheFolderName(cardPath.substr(0, last)) + L"\\" + cardPath.substr(last + 1);
}
