#include "picture/ViewData.h"

#include <utility>

#include "DibSection.h"
#include "JpegCoder.h"
#include "JpegDecoder.h"
#include "base/PathName.h"
#include "Application.h"
#include "base/AppServices.h"
#include "Strings.h"
#include "base/TraceLog.h"
#include "resource.h"

class CViewData::LoadLock {
public:
    explicit LoadLock(CViewData& data) : data_(data) {
        if (data_.loadMutex_)
            ::WaitForSingleObject(data_.loadMutex_.get(), INFINITE);  // an abandoned mutex is owned as well
        else
            data_.fallbackLock_.lock();
    }
    ~LoadLock() {
        if (data_.loadMutex_)
            ::ReleaseMutex(data_.loadMutex_.get());
        else
            data_.fallbackLock_.unlock();
    }
    LoadLock(const LoadLock&) = delete;
    LoadLock& operator=(const LoadLock&) = delete;

private:
    CViewData& data_;
};

CViewData::CViewData() : loadMutex_(::CreateMutexW(nullptr, FALSE, nullptr)) {
    if (!loadMutex_) {
        WriteTraceLogLastError(kTraceApp, L"CViewData::CViewData", L"CreateMutex()");
        fw::AppMessageBox(fw::LoadResString(IDS_INTERNAL_ERROR), MB_OK | MB_ICONERROR);
    }
}

CViewData::~CViewData() {
    {
        LoadLock lock(*this);
        DeletePicture();
    }
}

void CViewData::DeletePicture() {
    pictureOwner_.reset();
    picture_ = PictureRecord{};
}

int CViewData::LogLoadFailure(const wchar_t* failedStep) {
    WriteTraceLog(kTraceApp, L"CViewData::LoadPicture", L"The error occurred with the [%s] function.", failedStep);
    return 0;
}

int CViewData::FinishLoad(int result, const wchar_t* failedStep) {
    if (picture_.bitmap) pictureOwner_.reset(picture_.bitmap);
    if (!result) return LogLoadFailure(failedStep);
    width_ = picture_.width;
    height_ = picture_.height;
    return result;
}

int CViewData::LoadPicture(const wchar_t* path, BOOL isBmp) {
    LoadLock lock(*this);
    DeletePicture();
    const wchar_t* file = path ? path : L"";
    int result = isBmp ? OpenBmpFile(file, &picture_) : DecodeJpeg(file, nullptr, 0, 0, &picture_);
    if (!FinishLoad(result, isBmp ? L"OpenBmpFile()" : L"DecodeJpeg()")) return 0;
    filePath_ = file;
    fileName_ = CPathName(filePath_).NameExtension();
    return result;
}

int CViewData::LoadPicture(const void* data, DWORD length, int scaleDenominator) {
    LoadLock lock(*this);
    DeletePicture();
    return FinishLoad(DecodeJpeg(nullptr, data, length, scaleDenominator, &picture_), L"DecodeJpeg()");
}

int CViewData::SetDecodedPicture(int result, PictureRecord& picture) {
    fw::GdiObject decoded(std::exchange(picture.bitmap, nullptr));
    LoadLock lock(*this);
    DeletePicture();
    if (result && decoded) {
        picture_ = picture;
        picture_.bitmap = static_cast<HBITMAP>(decoded.release());
    }
    return FinishLoad(result && picture_.bitmap ? result : 0, L"DecodeJpeg()");
}

int CViewData::ExchangeDecodedPicture(int result, PictureRecord& picture) {
    // A frame that did not decode leaves the one before in place: the
    // screen goes on showing it.
    if (!result || !picture.bitmap) return LogLoadFailure(L"DecodeJpeg()");
    HBITMAP replaced = static_cast<HBITMAP>(pictureOwner_.release());
    picture_ = picture;
    picture.bitmap = replaced;
    return FinishLoad(result, L"DecodeJpeg()");
}

int CViewData::DecodeJpegReusing(const void* data, DWORD length, int scaleDenominator, PictureRecord* picture) {
    const device::JpegInput input{nullptr, nullptr, data, length};
    int width = 0, height = 0;
    if (!picture || !data || !device::DecodeJpegInto(input, scaleDenominator, &picture->bitmap) ||
        !device::GetBitmapSize(picture->bitmap, &width, &height)) {
        WriteTraceLog(kTraceApp, L"CViewData::DecodeJpeg", L"The error occurred with the [%s] function.", L"Load()[2]");
        return 0;
    }
    picture->width = width;
    picture->height = height;
    return 1;
}

int CViewData::DecodeJpeg(const wchar_t* path, const void* data, DWORD length, int scaleDenominator,
                          PictureRecord* picture) {
    CJpegCoder coder = AppJpegCoder();
    HBITMAP bitmap = nullptr;
    int result = path ? coder.LoadJpegFile(&bitmap, path, nullptr, 0, 0)
                      : coder.LoadJpegMemory(&bitmap, data, length, nullptr, 0, 0, scaleDenominator);
    BITMAP bm{};
    if (!result || !picture || ::GetObjectW(bitmap, sizeof(bm), &bm) != sizeof(bm)) {
        if (bitmap) ::DeleteObject(bitmap);
        WriteTraceLog(kTraceApp, L"CViewData::DecodeJpeg", L"The error occurred with the [%s] function.",
                      path ? L"Load()[1]" : L"Load()[2]");
        return 0;
    }
    picture->bitmap = bitmap;
    picture->width = bm.bmWidth;
    picture->height = bm.bmHeight;
    return result;
}

int CViewData::OpenBmpFile(const wchar_t* path, PictureRecord* picture) {
    int result = CBitmapFile().Load(path, picture);
    if (!result)
        WriteTraceLog(kTraceApp, L"CViewData::OpenBmpFile", L"The error occurred with the [Load()] function.");
    return result;
}

void CViewData::SetZoom(double zoom) {
    if (zoom != 0.0) zoom_ = zoom;
}

void CViewData::Rotate(UINT commandId) {
    int delta = commandId == ID_ROTATE_180 ? 180 : commandId == ID_ROTATE_CCW ? -90 : 90;
    rotation_ = ((rotation_ + 4) * 90 + delta) % 360 / 90;
}

void CViewData::SetScrollPosition(int bar, int position) {
    if (bar == SB_HORZ) scrollX_ = position;
    if (bar == SB_VERT) scrollY_ = position;
}

int CViewData::GetScrollPosition(int bar) const { return bar == SB_HORZ ? scrollX_ : bar == SB_VERT ? scrollY_ : 0; }
