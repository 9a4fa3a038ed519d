#pragma once
// A memory DC with a bitmap selected into it: the off-screen surface views
// paint through, pictures are composed on, and bitmaps are read or stretched
// from. The bitmap the DC came with goes back in before either is freed.
#include <windows.h>

#include "Handles.h"

namespace fw {

enum class SurfaceFormat {
    Compatible,     // a device-dependent bitmap in the reference DC's format
    TopDownDib24,   // 24-bit DIB section, first row at the top
    BottomUpDib24,  // 24-bit DIB section as a BMP file stores it
};

class Surface {
public:
    // The GDI call that made the last Create, Borrow, Resize or Replace fail.
    enum class Failure { None, CreateDc, CreateBitmap, SelectBitmap };

    Surface() = default;
    ~Surface() { Reset(); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    Surface(Surface&& o) noexcept { MoveFrom(o); }
    Surface& operator=(Surface&& o) noexcept;

    // A DC compatible with `reference` (null: the screen) holding a new
    // bitmap of `size`, at least 1 x 1.
    bool Create(HDC reference, SIZE size, SurfaceFormat format = SurfaceFormat::Compatible);
    // A DC showing `bitmap`, which the caller keeps and frees after the surface.
    bool Borrow(HDC reference, HBITMAP bitmap);
    // A new bitmap of `size` in place of the present one, made before the
    // present one goes, so a failure leaves the surface as it was. A
    // compatible bitmap takes the format of `reference` (null: the screen).
    bool Resize(SIZE size, SurfaceFormat format, HDC reference = nullptr);
    // Takes `bitmap` in place of the present one; on failure it stays with the caller.
    bool Replace(GdiObject& bitmap);
    void Reset();

    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_; }
    SIZE size() const { return size_; }
    explicit operator bool() const { return bitmap_ != nullptr; }
    Failure failure() const { return failure_; }

    // DIB sections only (null otherwise): the pixels as CreateDIBSection
    // lays them out, the bytes from one row to the next, and row `y`
    // counted from the top whatever the orientation. A DIB made elsewhere
    // counts as its header says, and Wine's says bottom-up for every one.
    void* bits() const { return bits_; }
    int stride() const { return stride_; }
    BYTE* Row(int y) const;

private:
    bool Fail(Failure failure);
    bool Select(HBITMAP bitmap);
    void Describe(HBITMAP bitmap);
    void MoveFrom(Surface& o);

    // Freed in reverse order: the original bitmap back in, then ours, then the DC.
    DcHandle dc_;
    GdiObject owned_;           // null while the bitmap is borrowed
    SelectedObject original_;   // the bitmap the DC was created with
    HBITMAP bitmap_ = nullptr;  // owned_ or the borrowed one
    SIZE size_{0, 0};
    void* bits_ = nullptr;
    int stride_ = 0;
    bool topDown_ = false;
    Failure failure_ = Failure::None;
};

// Stretches the whole of `bitmap` (which the caller keeps) over `target` of `dc`.
bool StretchBitmap(HDC dc, const RECT& target, HBITMAP bitmap);

}  // namespace fw
