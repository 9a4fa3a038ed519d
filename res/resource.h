// Resource and command ids of the image application.
#pragma once

// Menus, toolbar, accelerators, icons and template strings share these ids.
#define IDR_MAINFRAME 128
#define IDR_IMAGETYPE 129
#define IDR_ANIMETYPE 130
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_ICON 1000

// Small window icons of the two kinds of child frame.
#define IDI_IMAGE_FRAME 135
#define IDI_LIVE_FRAME 136

// Cursors of the image and live views. Cursor and icon ids live in separate
// resource types, so 135 names both a cursor and an icon.
#define IDC_HAND_OPEN 134
#define IDC_HAND_CLOSED 135
#define IDC_ERASER_SMALL 159
#define IDC_ERASER_MEDIUM 160
#define IDC_ERASER_LARGE 161
#define IDC_PEN 162

// Dialogs: remote control, drawing palette and its two settings forms.
#define IDD_REMOTE_CONTROL 131
#define IDD_DRAW_PALETTE 137
#define IDD_ERASER_FORM 159
#define IDD_LINE_FORM 160

// Remote-control panel: background and the normal/pressed bitmaps of its buttons.
#define IDB_REMOTE_BACKGROUND 216
#define IDB_AF 170
#define IDB_AF_DOWN 171
#define IDB_IRIS_CLOSE 174
#define IDB_IRIS_CLOSE_DOWN 175
#define IDB_FOCUS_FAR 182
#define IDB_FOCUS_FAR_DOWN 183
#define IDB_FOCUS_NEAR 190
#define IDB_FOCUS_NEAR_DOWN 191
#define IDB_IRIS_NORMAL 192
#define IDB_IRIS_NORMAL_DOWN 193
#define IDB_IRIS_OPEN 194
#define IDB_IRIS_OPEN_DOWN 195
#define IDB_ZOOM_TELE 206
#define IDB_ZOOM_TELE_DOWN 207
#define IDB_ZOOM_WIDE 210
#define IDB_ZOOM_WIDE_DOWN 211

// Remote-control panel buttons.
#define IDC_BTN_NORMAL 1031
#define IDC_BTN_OPEN 1032
#define IDC_BTN_CLOSE 1033
#define IDC_BTN_NEAR 1034
#define IDC_BTN_FAR 1035
#define IDC_BTN_AF 1036
#define IDC_BTN_TELE 1037
#define IDC_BTN_WIDE 1038

// Line kinds of the line form's combo box: solid, dashed, dotted strips.
#define IDB_LINE_KINDS 151

// Drawing palette: each button's id is also the drawing tool it selects.
#define ID_TOOL_FREE_LINE 1000
#define ID_TOOL_LINE 1010
#define ID_TOOL_RECTANGLE 1011
#define ID_TOOL_HORIZONTAL 1012
#define ID_TOOL_VERTICAL 1013
#define ID_TOOL_ERASER 1015
#define ID_TOOL_ERASE_AREA 1016
#define ID_TOOL_ERASE_ALL 1017

// Palette button icons, 20 x 20, in the order of the buttons above.
#define IDI_FREE_LINE 150
#define IDI_LINE 151
#define IDI_RECTANGLE 152
#define IDI_HORIZONTAL 153
#define IDI_VERTICAL 154
#define IDI_ERASER 155
#define IDI_ERASE_AREA 156
#define IDI_ERASE_ALL 157

// User messages of the string table.
#define IDS_OPEN_FAILED 131
#define IDS_LOAD_LIBRARY 132
#define IDS_INTERNAL_ERROR 133
#define IDS_ALREADY_USED 138
#define IDS_STILL_FAILED 155
#define IDS_LIVE_FAILED 156
#define IDS_NO_RESOURCES 157
#define IDS_SAVE_FAILED 158
#define IDS_SAVE_CHANGES 159
#define IDS_FILE_NOT_AVAILABLE 160
#define IDS_LIVE_DISPLAY_FAILED 161
#define IDS_INIT_FAILED 163
#define IDS_SD_NOT_INSERTED 167
#define IDS_SD_UNAVAILABLE 174
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
#define ID_FILE_CLOSE 0xE102

// File.
#define ID_FILE_OPEN 0x8042
#define ID_FILE_ALL_CLOSE 0x8040
#define ID_FILE_SAVE 32860
#define ID_FILE_SAVE_AS 32861

// Rotation.
#define ID_ROTATE_180 32777
#define ID_ROTATE_CCW 32778
#define ID_ROTATE_CW 32779

// View.
#define ID_VIEW_ZOOM_IN 32803
#define ID_VIEW_ZOOM_OUT 32804
#define ID_VIEW_BEST_FIT 32805
#define ID_VIEW_ACTUAL_SIZE 32806
#define ID_VIEW_ZOOM_SELECTION 32807
#define ID_VIEW_FULL_SCREEN 32830

// Tools and the live monitor.
#define ID_TOOL_STILL_CAPTURE 0x8035
#define ID_TOOL_FILE_CONVERSION 0x8036
#define ID_TOOL_DRAW 0x8038
#define ID_TOOL_REMOTE_CONTROL 0x803B
#define ID_LIVE_SCALE_25 0x8059
#define ID_LIVE_SCALE_50 0x805A
#define ID_LIVE_SCALE_100 0x805B
#define ID_LIVE_START 0x8054
#define ID_LIVE_STOP 0x8053

// The main toolbar's two pointer tools; also drawing tool ids.
#define ID_TOOL_HAND 32838
#define ID_TOOL_SELECT 32840

// SD memory commands, handled by the main frame and offered in the Tools menu.
#define ID_SD_PLAY_LIST 0x803D
#define ID_SD_TRANSFER 0x8004
#define ID_SD_VIEWER 0x8037

// Drawing palette forms (dialogs 160 and 159): the line form's controls,
// its eight colour squares, and the eraser form's dots and their frames.
#define IDC_COLOR_RED 1001
#define IDC_COLOR_BLACK 1002
#define IDC_COLOR_FRAME 1003
#define IDC_CURRENT_COLOR 1004
#define IDC_COLOR_WHITE 1005
#define IDC_COLOR_YELLOW 1006
#define IDC_COLOR_BLUE 1007
#define IDC_COLOR_GREEN 1008
#define IDC_COLOR_MAGENTA 1009
#define IDC_COLOR_CYAN 1018
#define IDC_LINE_KIND_LABEL 1019
#define IDC_LINE_KIND 1020
#define IDC_LINE_WIDTH_LABEL 1021
#define IDC_LINE_WIDTH 1022
#define IDC_ERASER_DOT_SMALL 1033
#define IDC_ERASER_DOT_MEDIUM 1035
#define IDC_ERASER_DOT_LARGE 1036
#define IDC_ERASER_FRAME_LARGE 1037
#define IDC_ERASER_FRAME_MEDIUM 1038
#define IDC_ERASER_FRAME_SMALL 1040

// File conversion (app/convert): its dialog, the progress and error-list
// dialogs (shared with the transfer to SD memory), their controls and texts.
#define IDD_FILE_CONVERSION 1101
#define IDD_CONVERT_PROGRESS 162
#define IDD_TRANSFER_ERRORS 135
#define IDC_CNV_FILE_MODE 1002
#define IDC_CNV_FOLDER_MODE 1003
#define IDC_CNV_LOCAL_FOLDER 1042
#define IDC_CNV_SOURCE_FILE 1102
#define IDC_CNV_DESTINATION 1103
#define IDC_CNV_BROWSE_FILE 1104
#define IDC_CNV_BROWSE_DESTINATION 1105
#define IDC_CNV_SOURCE_FOLDER 1106
#define IDC_CNV_BROWSE_FOLDER 1107
#define IDC_PROGRESS_BAR 1029
#define IDC_PROGRESS_TEXT 1030
#define IDC_PROGRESS_COUNT_LABEL 1032
#define IDC_PROGRESS_COUNT 1033
#define IDC_ERROR_HEADER 1041
#define IDC_ERROR_LIST 1045
#define IDS_SOURCE_NOT_SPECIFIED 135
#define IDS_SOURCE_NOT_AVAILABLE 136
#define IDS_DESTINATION_NOT_SPECIFIED 137
#define IDS_CREATE_FOLDER_QUESTION 148
#define IDS_OUTPUT_FILE_EXISTS 149
#define IDS_INVALID_FILE_TYPE 150
#define IDS_OUTPUT_FOLDER_UNAVAILABLE 151
#define IDS_SAME_FOLDERS 154
#define IDS_CREATE_FOLDER_FAILED 164
#define IDS_CONVERT_FAILED 171
#define IDS_OPERATION_CANCELED 176
#define IDS_NOTHING_TO_CONVERT 177

// Transfer to SD memory and SD folder browsing (app/transfer): the transfer
// dialog, the card folder browser and the new-folder dialog, their controls
// and texts. IDC_SD_NEW_FOLDER is the browser's own New Folder button.
#define IDD_CREATE_SD_FOLDER 132
#define IDD_FILE_TRANSFER 138
#define IDD_BROWSE_SD 139
#define IDC_SD_FOLDER_NAME 1003
#define IDC_TRANS_SOURCE 1110
#define IDC_TRANS_DESTINATION 1111
#define IDC_TRANS_BROWSE_SOURCE 1112
#define IDC_TRANS_BROWSE_DESTINATION 1113
#define IDC_SD_TREE 1114
#define IDC_SD_NEW_FOLDER 1119
#define IDS_BAD_FOLDER_NAME 139
#define IDS_DELETE_FOLDER_QUESTION 140
#define IDS_SD_LOCKED_IMAGE 141
#define IDS_TRANS_SOURCE_NOT_SPECIFIED 143
#define IDS_TRANS_SOURCE_NOT_AVAILABLE 144
#define IDS_TRANS_DESTINATION_NOT_SPECIFIED 145
#define IDS_DELETE_FOLDER_FAILED 165
#define IDS_SD_TRANSFER_FAILED 166
#define IDS_SD_OVER_2M 169
#define IDS_SD_FULL 170
#define IDS_NAME_TOO_LONG 175
#define IDS_NOTHING_TO_TRANSFER 179
#define IDS_SAME_NAME_EXISTS 180

// SD play list and viewer (app/sdview): the slide-show settings dialog, the
// card folder trees' context menu and their texts.
#define IDD_SLIDE_SHOW 130
#define IDR_SD_FOLDER_MENU 134
#define IDC_PLAY_ORDER 1024
#define IDC_SLIDE_ADD 1025
#define IDC_SLIDE_DELETE 1026
#define IDC_SLIDE_UP 1027
#define IDC_SLIDE_DOWN 1028
#define IDC_SD_CONTENTS_LABEL 1029
#define IDC_PLAY_ORDER_LABEL 1030
#define IDC_SLIDE_PREVIEW 1041
#define IDC_SLIDE_LAYOUT 1042
#define IDC_SLIDE_UPDATE 1043
#define IDC_READ_PROGRESS 1044
#define IDC_READ_CURRENT 1045
#define IDC_READ_TOTAL 1046
#define IDC_READING_TEXT 1047
#define IDC_READ_SLASH 1048
#define ID_SD_CREATE_FOLDER 32776
#define ID_SD_DELETE_FOLDER 32777
#define ID_SD_REFRESH 32778
#define IDS_SEVERAL_LINES_SELECTED 152
#define IDS_SEVERAL_POSITIONS 153
#define IDS_PLAYLIST_NOT_REGISTERED 168
#define IDS_INVALID_CARD_NAME 172
#define IDS_PRESS_ESC 173
#define IDS_PROGRESS_PANE 59143
#define IDS_READING_IMAGES 59144
#define IDS_COUNTER_PANE 59145
