#pragma once
// An in-process stand-in for the presentation server's automation objects,
// answering the dispatch ids the conversion uses: every presentation opens
// with `slideCount` slides, each exported as a 1024 x 768 JPEG.
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

namespace convert_fixtures {

struct FakeSlideServer {
    int slideCount = 1;
    std::vector<std::wstring> opened;  // in order
    int exports = 0;
    // Called after slide `index` (1-based) of the presentation was written.
    std::function<void(int index)> onExport;

    // A new application object, as CoCreateInstance hands one out.
    HRESULT Create(IDispatch** application);
    // Whether every object handed out has been released again.
    bool AllReleased() const { return live == 0; }
    int live = 0;
};

}  // namespace convert_fixtures
