// The image triplets of CTwainSource: image information, layout and the three transfers.
#include <cstring>

#include "SourceResource.h"
#include "TwainSource.h"

namespace {

constexpr TW_UINT32 kMemoryIsHandle = 0x0010;  // TWMF_HANDLE: TheMem must be locked first

}  // namespace

TW_UINT16 CTwainSource::Image(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    switch (dat) {
    case DAT_IMAGEINFO: return ImageInfo(msg, data);
    case DAT_IMAGENATIVEXFER: return NativeXfer(msg, data);
    case DAT_IMAGEMEMXFER: return MemXfer(msg, data);
    case DAT_IMAGEFILEXFER: return FileXfer(msg);
    case DAT_IMAGELAYOUT: return ImageLayout(msg, data);
    // Colour responses, palettes and JPEG settings do not apply to uncompressed
    // 24-bit pictures: refused, rather than "answered" with nothing filled in.
    default: return Fail(TWCC_BADPROTOCOL);
    }
}

void CTwainSource::ReleasePicture() {
    picture_.Clear();
    rowsSent_ = 0;
}

bool CTwainSource::PrepareTransfer() {
    if (picture_.HasPackedDib()) return true;
    if (picture_.Prepare(kept_.Copy())) return true;
    FailWithMessage(TWCC_LOWMEMORY, IDS_NO_MEMORY);
    return false;
}

TW_UINT16 CTwainSource::ImageLayout(TW_UINT16 msg, TW_MEMREF data) {
    if (msg != MSG_GET && msg != MSG_GETDEFAULT && msg != MSG_RESET && msg != MSG_SET) return Fail(TWCC_BADPROTOCOL);
    bool changes = msg == MSG_SET || msg == MSG_RESET;
    if (changes ? state_ != kOpen : !InStates(kOpen, kReady)) return Fail(TWCC_SEQERROR);
    if (!data) return Fail(TWCC_BADVALUE);
    auto* layout = static_cast<TW_IMAGELAYOUT*>(data);
    caps_->Update(Facts());
    TW_FRAME whole = caps_->Frame();
    // The camera's picture is always taken whole: another frame is answered with the one it gets.
    bool asked = msg != MSG_SET || std::memcmp(&layout->Frame, &whole, sizeof(whole)) == 0;
    *layout = TW_IMAGELAYOUT{whole, 1, 1, 1};
    return asked ? TWRC_SUCCESS : TWRC_CHECKSTATUS;
}

TW_UINT16 CTwainSource::ImageInfo(TW_UINT16 msg, TW_MEMREF data) {
    if (msg != MSG_GET) return Fail(TWCC_BADPROTOCOL);
    if (state_ != kReady) return Fail(TWCC_SEQERROR);
    if (!data) return Fail(TWCC_BADVALUE);
    // Prepared now, so the host learns the real size; the transfer delivers this same picture.
    if (!PrepareTransfer()) return TWRC_FAILURE;
    auto* info = static_cast<TW_IMAGEINFO*>(data);
    *info = TW_IMAGEINFO{};
    info->XResolution = info->YResolution = ToFix32(caps_->Resolution());
    info->ImageWidth = picture_.header().biWidth;
    info->ImageLength = picture_.header().biHeight;
    info->PixelType = static_cast<TW_INT16>(caps_->PixelType());
    info->BitsPerPixel = static_cast<TW_INT16>(caps_->BitDepth());
    info->Planar = FALSE;
    info->Compression = TWCP_NONE;
    if (info->BitsPerPixel > 23) {
        info->SamplesPerPixel = 3;
        info->BitsPerSample[0] = info->BitsPerSample[1] = info->BitsPerSample[2] = info->BitsPerSample[3] = 8;
    } else {
        info->SamplesPerPixel = 1;
        info->BitsPerSample[0] = info->BitsPerPixel;
    }
    return TWRC_SUCCESS;
}

TW_UINT16 CTwainSource::NativeXfer(TW_UINT16 msg, TW_MEMREF data) {
    if (msg != MSG_GET) return Fail(TWCC_BADPROTOCOL);
    if (state_ != kReady) return Fail(TWCC_SEQERROR);
    if (!data) return Fail(TWCC_BADVALUE);
    if (!PrepareTransfer()) return TWRC_FAILURE;
    // The block is the host's from now on; ENDXFER releases only the bitmap.
    *static_cast<TW_HANDLE*>(data) = picture_.TakePackedDib();
    state_ = kTransferring;
    return TWRC_XFERDONE;
}

TW_UINT16 CTwainSource::MemXfer(TW_UINT16 msg, TW_MEMREF data) {
    if (msg != MSG_GET) return Fail(TWCC_BADPROTOCOL);
    // Outside states 6 and 7, or after the last block, there is no picture to send.
    if (!InStates(kReady, kTransferring) || (state_ == kTransferring && !picture_.HasPackedDib()))
        return Fail(TWCC_SEQERROR);
    if (!data) return Fail(TWCC_BADVALUE);
    if (state_ == kReady && !PrepareTransfer()) return TWRC_FAILURE;
    auto* xfer = static_cast<TW_IMAGEMEMXFER*>(data);
    HGLOBAL handle = (xfer->Memory.Flags & kMemoryIsHandle) ? static_cast<HGLOBAL>(xfer->Memory.TheMem) : nullptr;
    fw::GlobalLock lock(handle);
    auto* buffer = static_cast<BYTE*>(handle ? lock.get() : xfer->Memory.TheMem);
    if (!buffer) return Fail(TWCC_BADVALUE);
    DWORD length = xfer->Memory.Length;
    if (handle) length = static_cast<DWORD>(std::min<SIZE_T>(length, ::GlobalSize(handle)));

    DWORD stride = picture_.rowLength();
    // A buffer without room for one row would answer "no rows" for ever.
    if (length < stride) return Fail(TWCC_BADVALUE);
    auto height = static_cast<DWORD>(picture_.header().biHeight);
    xfer->Compression = TWCP_NONE;
    xfer->BytesPerRow = stride;
    xfer->Columns = static_cast<TW_UINT32>(picture_.header().biWidth);
    xfer->XOffset = 0;
    xfer->YOffset = rowsSent_;
    DWORD rows = picture_.CopyRows(rowsSent_, buffer, length, caps_->PixelType() == TWPT_RGB);
    xfer->Rows = rows;
    xfer->BytesWritten = rows * stride;
    rowsSent_ += rows;
    state_ = kTransferring;
    if (rowsSent_ < height) return TWRC_SUCCESS;
    picture_.ReleasePackedDib();
    return TWRC_XFERDONE;
}

TW_UINT16 CTwainSource::FileXfer(TW_UINT16 msg) {
    if (msg != MSG_GET) return Fail(TWCC_BADPROTOCOL);
    // Outside state 6 there is no announced picture to write.
    if (state_ != kReady) return Fail(TWCC_SEQERROR);
    if (!PrepareTransfer()) return TWRC_FAILURE;
    bool written = picture_.WriteBmpFile(fileName_);
    picture_.ReleasePackedDib();
    if (!written) return FailWithMessage(TWCC_OPERATIONERROR);
    condition_ = TWCC_SUCCESS;
    state_ = kTransferring;
    return TWRC_XFERDONE;
}
