#include "FrameHarness.h"

#include "Reflection.h"

namespace testing_support {

bool Stage::Command(UINT id) {
    if (trail) trail->push_back(name);
    return states.count(id) != 0;
}

bool Stage::Update(UINT id, fw::CommandState& state) {
    auto it = states.find(id);
    if (it == states.end()) return false;
    state = it->second;
    return true;
}

void TestApp::OnIdle() {
    ++idleCalls;
    fw::Application::OnIdle();
    if (quitWhenIdle) ::PostQuitMessage(0);
}

void TestView::OnUpdate(fw::View* sender, LPARAM hint) {
    hints.push_back(hint);
    fw::View::OnUpdate(sender, hint);
}

void TestView::OnDraw(HDC dc) { ::Rectangle(dc, 10, 10, 100, 80); }

bool TestFrame::Create(const std::vector<fw::ToolButton>& buttons) {
    buttons_ = buttons;
    WNDCLASSEXW wc{};
    wc.lpszClassName = L"fw-test-frame";
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    if (!RegisterClass(wc)) return false;
    HMENU menu = BuildMenu({{L"&File", {{100, L"Alpha"}, {101, L"Beta"}, {102, L"Gamma"}, {103, L"Delta"}}},
                            {L"&Window", {{0xE132, L"&Cascade"}}}});
    DWORD style = TakeFrameStyle(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE | kAddToTitle, L"Test");
    return Window::Create(L"fw-test-frame", L"Test", style, 0, 0, 0, 800, 600, nullptr, menu) != nullptr;
}

LRESULT TestFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        if (!CreateMdiClient() || !statusBar().Create(hwnd())) return -1;
        if (!buttons_.empty()) {
            // A strip of plain squares, one per button.
            HDC screen = ::GetDC(nullptr);
            HBITMAP strip = ::CreateCompatibleBitmap(screen, 16 * static_cast<int>(buttons_.size()), 15);
            ::ReleaseDC(nullptr, screen);
            bool made = toolBar().Create(hwnd(), strip, SIZE{16, 15}, buttons_);
            ::DeleteObject(strip);
            if (!made) return -1;
        }
        return 0;
    }
    return fw::MdiFrame::WindowProc(msg, wParam, lParam);
}

void FrameTest::SetUp() {
    app.stage = {"application", &trail, {}};
    fw::DocTemplate::Factories f;
    f.document = [this] {
        auto d = std::make_unique<TestDoc>();
        d->stage = {"document", &trail, {}};
        return d;
    };
    f.frame = [this] {
        auto c = std::make_unique<TestChild>();
        c->stage = {"child", &trail, {}};
        return c;
    };
    f.view = [this] {
        auto v = std::make_unique<TestView>();
        v->stage = {"view", &trail, {}};
        return v;
    };
    docTemplate = std::make_unique<fw::DocTemplate>(1, L"\nPicture\nImage", std::move(f));
    auto owned = std::make_unique<TestFrame>();
    owned->stage = {"main", &trail, {}};
    ASSERT_TRUE(owned->Create(Buttons()));
    owned->SetAutoDelete(true);
    frame = owned.release();
    app.SetMainWindow(frame->hwnd(), nullptr, frame);
}

void FrameTest::TearDown() {
    if (frame && frame->IsWindow()) ::DestroyWindow(frame->hwnd());
    PumpMessages();
}

fw::DocTemplate::Opened FrameTest::Open(bool visible) {
    fw::DocTemplate::Opened o = docTemplate->OpenNew(*frame, visible);
    PumpMessages();
    return o;
}

ControlHost::~ControlHost() {
    if (IsWindow()) ::DestroyWindow(hwnd());
}

bool ControlHost::Create(int width, int height) {
    WNDCLASSEXW wc{};
    wc.lpszClassName = L"fw-test-host";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return RegisterClass(wc) && Window::Create(L"fw-test-host", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                               0, width, height, nullptr, nullptr);
}

LRESULT ControlHost::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY)
        reached.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
    else if (fw::NotificationSource(hwnd(), msg, wParam, lParam) || msg == WM_DRAWITEM || msg == WM_MEASUREITEM)
        reached.push_back(msg);
    return Window::WindowProc(msg, wParam, lParam);
}

HMENU BuildMenu(const std::vector<std::pair<std::wstring, std::vector<std::pair<UINT, std::wstring>>>>& popups) {
    HMENU bar = ::CreateMenu();
    for (const auto& popup : popups) {
        HMENU sub = ::CreatePopupMenu();
        for (const auto& item : popup.second) ::AppendMenuW(sub, MF_STRING, item.first, item.second.c_str());
        ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), popup.first.c_str());
    }
    return bar;
}

LPARAM CentreOf(const RECT& r) { return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

}  // namespace testing_support
