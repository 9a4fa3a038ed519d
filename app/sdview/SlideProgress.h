#pragma once
// What the slide-show pane tells the dialog that holds it about a reading.
class ISlideProgress {
public:
    virtual void ShowProgress(int total, int current) = 0;
    virtual void UpdateProgress(int total, int current) = 0;
    virtual void HideProgress() = 0;

protected:
    ~ISlideProgress() = default;
};
