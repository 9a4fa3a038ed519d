#pragma once
// The MDI child around one image view: its caption shows the picture's name
// and zoom, and it carries the Save, View and Rotation commands.
#include <windows.h>

#include "MdiChild.h"
#include "base/AppMessages.h"

class CImageDoc;
class CImageView;
class IPictureHost;

class CImageFrame : public fw::MdiChild {
public:
    static constexpr int kSave = 0;
    static constexpr int kSaveAs = 1;

    // `host`: the main window holding the frame; null in tests without one.
    explicit CImageFrame(IPictureHost* host) : host_(host) {}

    CImageView* imageView() const;
    CImageDoc* imageDocument() const;

    int LoadPicture(const wchar_t* path, BOOL isBmp);
    // Places the frame at the main frame's next child position with a client
    // area of width x height, on top and shown.
    void SizeToClient(int width, int height);
    int DoSaveFile(int mode);
    // The palette's erase buttons: ID_TOOL_ERASE_AREA the drawing inside the
    // selection (if there is one), ID_TOOL_ERASE_ALL all of it.
    void EraseDrawing(UINT command);
    void UpdateTitle();

    bool OnCommand(UINT id) override;
    bool OnUpdateCommand(UINT id, fw::CommandState& state) override;

protected:
    void PreCreateWindow(MDICREATESTRUCTW& cs) override;
    bool OnCreate() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void SelectPointerTool(UINT id);
    void OnFrameCreated();
    bool ChooseSavePath(int mode, std::wstring& path, int& fileType);
    bool WritePicture(const std::wstring& path, bool asBmp);

    IPictureHost* host_;
};
