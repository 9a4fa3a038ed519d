// Resource and command ids of the image application.
#pragma once

#define IDR_MAINFRAME 128
#define IDR_IMAGETYPE 129
#define IDR_ANIMETYPE 130
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_ICON 1000

// User messages of the string table.
#define IDS_OPEN_FAILED 131
#define IDS_LOAD_LIBRARY 132
#define IDS_INTERNAL_ERROR 133
#define IDS_ALREADY_USED 138
#define IDS_NO_RESOURCES 157
#define IDS_INIT_FAILED 163
#define IDS_ALREADY_LAUNCHED 178
#define IDS_PLAYLIST_REFUSED 181

#define IDS_APP_TITLE 57344
#define IDS_READY 57345
#define IDS_STATUS_PANE 59146
#define IDS_MAIN_UNIT_UNAVAILABLE 59147

// Commands handled by the framework and the application.
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_HELP_FINDER 0xE143
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
