#include "FrameMaker.h"

#include <windows.h>

#include <algorithm>

#include "Handles.h"
#include "JpegCodec.h"
#include "LensEffects.h"
#include "StandInCodes.h"

namespace standin {

namespace {
constexpr int kQuality = 85;

std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return {};
    return bytes;
}

bool IsJpegName(const std::wstring& name) {
    size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos) return false;
    std::wstring ext = name.substr(dot);
    return _wcsicmp(ext.c_str(), L".jpg") == 0 || _wcsicmp(ext.c_str(), L".jpeg") == 0;
}
}  // namespace

FrameMaker::FrameMaker(const std::wstring& pictureFolder, int prepared)
    : preparedWanted_(static_cast<size_t>(std::max(prepared, 0))),
      scene_(kFrameWidth, kFrameHeight), frame_(kFrameWidth, kFrameHeight) {
    if (!pictureFolder.empty()) ListPictures(pictureFolder);
}

void FrameMaker::ListPictures(const std::wstring& folder) {
    std::wstring base = folder.back() == L'\\' ? folder : folder + L"\\";
    WIN32_FIND_DATAW found;
    fw::FindHandle find(::FindFirstFileW((base + L"*").c_str(), &found));
    if (!find) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsJpegName(found.cFileName))
            pictures_.push_back(base + found.cFileName);
    } while (::FindNextFileW(find.get(), &found));
    std::sort(pictures_.begin(), pictures_.end(),
              [](const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; });
}

bool FrameMaker::LoadNextPicture() {
    // A file that does not decode is passed over; a folder of only such files gives the test card.
    for (size_t tries = 0; tries < pictures_.size(); ++tries) {
        const std::wstring& path = pictures_[nextPicture_];
        nextPicture_ = (nextPicture_ + 1) % pictures_.size();
        if (DecodeJpegInto(ReadWholeFile(path), scene_)) return true;
        ::OutputDebugStringW((L"KorvoDocCameraIM: not a usable picture: " + path + L"\n").c_str());
    }
    return false;
}

std::vector<uint8_t> FrameMaker::Next(const LensView& lens) {
    if (preparedWanted_ && prepared_.size() == preparedWanted_)
        return prepared_[frameNumber_++ % preparedWanted_];
    std::vector<uint8_t> frame = Make(lens);
    if (preparedWanted_ && !frame.empty()) prepared_.push_back(frame);
    return frame;
}

std::vector<uint8_t> FrameMaker::Make(const LensView& lens) {
    if (!scene_.valid() || !frame_.valid()) return {};
    ++frameNumber_;
    if (!LoadNextPicture()) {
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        card_.Draw(scene_, frameNumber_, now);
    }
    ZoomInto(scene_, frame_, lens.zoom);
    BoxBlur(frame_, lens.blurRadius);
    ApplyGain(frame_, lens.gain);
    return EncodeJpeg(frame_, kQuality);
}

}  // namespace standin
