#include <windows.h>

#include "shell/PictavoApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int showCommand) {
    CPictavoApp app;
    return app.Run(showCommand);
}
