#pragma once
// A main frame with one document type whose document, child frame and view
// record every command and update query they are asked, for window tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Wait.h"
#include "Application.h"
#include "DocTemplate.h"
#include "Document.h"
#include "MdiChild.h"
#include "MdiFrame.h"
#include "View.h"

namespace testing_support {

using Trail = std::vector<std::string>;

// One link of the route: records its visit, claims the commands in `states`.
struct Stage {
    std::string name;
    Trail* trail = nullptr;
    std::map<UINT, fw::CommandState> states;

    bool Command(UINT id);
    bool Update(UINT id, fw::CommandState& state);
};

class TestApp : public fw::Application {
public:
    Stage stage;
    int idleCalls = 0;
    bool quitWhenIdle = false;

    bool OnCommand(UINT id) override { return stage.Command(id); }
    bool OnUpdateCommand(UINT id, fw::CommandState& s) override { return stage.Update(id, s); }

protected:
    bool InitInstance() override { return true; }
    void OnIdle() override;
};

class TestDoc : public fw::Document {
public:
    Stage stage;
    bool allowClose = true;
    bool OnCommand(UINT id) override { return stage.Command(id); }
    bool OnUpdateCommand(UINT id, fw::CommandState& s) override { return stage.Update(id, s); }
    bool SaveModified() override { return !IsModified() || allowClose; }
};

class TestView : public fw::View {
public:
    Stage stage;
    std::vector<LPARAM> hints;
    bool OnCommand(UINT id) override { return stage.Command(id); }
    bool OnUpdateCommand(UINT id, fw::CommandState& s) override { return stage.Update(id, s); }
    void OnUpdate(fw::View* sender, LPARAM hint) override;

protected:
    void OnDraw(HDC dc) override;
};

class TestChild : public fw::MdiChild {
public:
    Stage stage;
    bool OnCommand(UINT id) override { return stage.Command(id); }
    bool OnUpdateCommand(UINT id, fw::CommandState& s) override { return stage.Update(id, s); }
};

class TestFrame : public fw::MdiFrame {
public:
    static constexpr UINT kFileMenu = 0, kWindowMenu = 1;
    Stage stage;

    // A visible 800 x 600 frame with a two-popup menu, toolbar and status bar.
    bool Create(const std::vector<fw::ToolButton>& buttons);
    bool OnCommand(UINT id) override { return stage.Command(id); }
    bool OnUpdateCommand(UINT id, fw::CommandState& s) override { return stage.Update(id, s); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<fw::ToolButton> buttons_;
};

// A frame with one document type; every stage records into `trail`.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual std::vector<fw::ToolButton> Buttons() const { return {}; }
    fw::DocTemplate::Opened Open(bool visible = true);
    TestView* ViewOf(const fw::DocTemplate::Opened& o) { return static_cast<TestView*>(o.view); }
    TestDoc* DocOf(const fw::DocTemplate::Opened& o) { return static_cast<TestDoc*>(o.document); }
    TestChild* ChildOf(const fw::DocTemplate::Opened& o) { return static_cast<TestChild*>(o.frame); }

    Trail trail;
    TestApp app;
    std::unique_ptr<fw::DocTemplate> docTemplate;
    TestFrame* frame = nullptr;  // deleted with its window
};

// A visible top-level window of the framework for controls to live in; it
// records the notifications that reach its own procedure, which are those
// no control object took.
class ControlHost : public fw::Window {
public:
    ~ControlHost() override;
    bool Create(int width = 420, int height = 320);
    // WM_NOTIFY as its code, every other notification as its message.
    std::vector<UINT> reached;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// Builds a menu from {popup title, {{id, text}...}} entries.
HMENU BuildMenu(const std::vector<std::pair<std::wstring, std::vector<std::pair<UINT, std::wstring>>>>& popups);
// Lets messages run until `done` holds or a generous limit passes.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = kWaitLimitMs) {
    return WaitUntil(done, limitMs);
}
// The centre of `r`, as a mouse message's lParam.
LPARAM CentreOf(const RECT& r);

}  // namespace testing_support
