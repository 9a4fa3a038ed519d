#pragma once
// The MDI child around one image view: its caption shows the picture's name
// and zoom, and it carries the Save, View and Rotation commands.
#include <windows.h>

#include "MdiChild.h"

class CImageDoc;
class CImageView;

constexpr UINT WM_IMAGE_FRAME_CREATED = WM_USER + 2;
constexpr UINT WM_UPDATE_TITLE = WM_USER + 102;
constexpr UINT WM_CLOSE_WITHOUT_SAVE = WM_USER + 110;

class CImageFrame : public fw::MdiChild {
public:
    static constexpr int kSave = 0;
    static constexpr int kSaveAs = 1;

    CImageView* imageView() const;
    CImageDoc* imageDocument() const;

    int LoadPicture(const wchar_t* path, BOOL isBmp);
    // Places the frame at the main frame's next child position with a client
    // area of width x height, on top and shown.
    void SizeToClient(int width, int height);
    int DoSaveFile(int mode);
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
};
