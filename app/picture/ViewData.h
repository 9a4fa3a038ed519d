#pragma once
// A document's decoded picture with the display state that belongs to it:
// zoom, rotation, scroll positions, where it came from, and the mutex that
// keeps the live decoding thread and the user-interface thread from loading
// into it at the same time.
#include <windows.h>

#include <atomic>
#include <string>

#include "picture/BitmapFile.h"
#include "Handles.h"

class CViewData {
public:
    CViewData();
    virtual ~CViewData();
    CViewData(const CViewData&) = delete;
    CViewData& operator=(const CViewData&) = delete;

    int LoadPicture(const wchar_t* path, BOOL isBmp);
    // A JPEG byte block; the file name and path stay as they are.
    int LoadPicture(const void* data, DWORD length, int scaleDenominator);
    int DecodeJpeg(const wchar_t* path, const void* data, DWORD length, int scaleDenominator, PictureRecord* picture);
    // The second half of a load whose decoding (DecodeJpeg into `picture`,
    // which returned `result`) ran outside every lock: takes the picture over
    // in place of the present one, or logs the failure as LoadPicture does.
    int SetDecodedPicture(int result, PictureRecord& picture);
    // A stream of frames for the screen alone: decodes into picture->bitmap
    // itself when it has the frame's size and the screen's layout (else into
    // a new bitmap that replaces it; device::DecodeJpegInto), and puts
    // the picture in place handing the one it replaces back in `picture`, so
    // that the caller can decode the next frame into it and no frame
    // allocates one. A failed decode leaves the present picture in place.
    // The exchange takes no load mutex, which as a system object would cost
    // every frame two calls into the system: the caller serialises it with
    // every other load of this object (the live picture's lock does, and
    // nothing else loads the live document).
    int DecodeJpegReusing(const void* data, DWORD length, int scaleDenominator, PictureRecord* picture);
    int ExchangeDecodedPicture(int result, PictureRecord& picture);
    int OpenBmpFile(const wchar_t* path, PictureRecord* picture);

    const PictureRecord& GetPicture() const { return picture_; }
    // The size of the last picture loaded successfully; read without the mutex.
    int GetWidth() const { return width_.load(); }
    int GetHeight() const { return height_.load(); }

    void SetZoom(double zoom);
    double GetZoom() const { return zoom_; }
    // A rotation command: ID_ROTATE_180, ID_ROTATE_CCW, anything else a quarter turn clockwise.
    void Rotate(UINT commandId);
    int GetRotation() const { return rotation_; }
    void SetScrollPosition(int bar, int position);
    int GetScrollPosition(int bar) const;

    void SetFileName(const std::wstring& name) { fileName_ = name; }
    std::wstring GetFileName() const { return fileName_; }
    void SetFilePath(const std::wstring& path) { filePath_ = path; }
    std::wstring GetFilePath() const { return filePath_; }
    void SetFileType(int type) { fileType_ = type; }
    int GetFileType() const { return fileType_; }

private:
    class LoadLock;
    void DeletePicture();
    // Publishes the new picture, or logs failedStep; returns result.
    int FinishLoad(int result, const wchar_t* failedStep);
    static int LogLoadFailure(const wchar_t* failedStep);

    int scrollX_ = 0;
    int scrollY_ = 0;
    int rotation_ = 0;  // quarter turns clockwise
    double zoom_ = 1.0;
    PictureRecord picture_;
    fw::GdiObject pictureOwner_;  // picture_.bitmap
    std::atomic<int> width_{0};
    std::atomic<int> height_{0};
    std::wstring fileName_;
    int fileType_ = 1;  // 1 JPEG, 2 BMP
    fw::Handle loadMutex_;
    std::wstring filePath_;
    // Serialises loads in place of the mutex when it could not be created.
    fw::CriticalSection fallbackLock_;
};
