#pragma once
#include "View.h"

namespace fw {

// A view over content larger than its window: scroll bars appear only while
// the content exceeds the client area, and drawing is shifted by the position.
class ScrollView : public View {
public:
    // `page` and `line` are the steps of page and line requests; zero means
    // the visible size and a tenth of the page.
    void SetScrollSizes(SIZE total, SIZE page = SIZE{0, 0}, SIZE line = SIZE{0, 0});
    SIZE totalSize() const { return total_; }
    POINT scrollPosition() const;
    void ScrollToPosition(POINT position);

protected:
    void OnPrepareDC(HDC dc) override;
    // The position changed from `old`; by default the view repaints.
    virtual void OnScrolled(POINT old);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateBars();
    void SetBar(int bar, int total, int visible);
    void OnScroll(int bar, int code);

    SIZE total_{0, 0};
    SIZE page_{0, 0};
    SIZE line_{0, 0};
    bool updatingBars_ = false;  // showing a bar resizes the client and comes back here
};

}  // namespace fw
