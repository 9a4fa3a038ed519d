#pragma once
// Scroll bars of the picture views, which show a zoomed picture in a client
// area that the bars themselves make smaller.
#include <windows.h>

// Sets both bars of `window` for content of `extent` pixels, keeping the
// positions `wanted` as far as the new ranges allow; returns the positions
// set. Starts from the client area without bars, so a bar no longer needed
// goes away.
POINT FitScrollBars(HWND window, SIZE extent, POINT wanted);

// A drag's position: 0 .. the last one that still shows picture, or 0 when
// all of the content fits.
int LimitDragPosition(int position, int extent, int client);

// The position a scroll-bar request asks for, limited to what the bar allows;
// false for requests that move nothing (the end of a thumb drag and others).
bool RequestedScrollPosition(HWND window, int bar, UINT code, int& oldPosition, int& newPosition);
