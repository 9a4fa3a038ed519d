#pragma once
// Resource and control ids of the data source.

// Identity strings.
#define IDS_MANUFACTURER 0
#define IDS_PRODUCT_NAME 1
#define IDS_PRODUCT_FAMILY 2
#define IDS_VERSION_FORMAT 3
#define IDS_VERSION_MAJOR 4
#define IDS_VERSION_MINOR 5

// Messages.
#define IDS_NO_HARDWARE 2060
#define IDS_NO_MEMORY 2061
#define IDS_INTERNAL_ERROR 2062
#define IDS_NO_STILL 2063
#define IDS_CANNOT_LOAD 2064
#define IDS_USED_BY_OTHER 2065
#define IDS_CANNOT_INITIALIZE 2066
#define IDS_NO_LIVE 2067
#define IDS_ALREADY_LAUNCHED 2068

#define IDD_SOURCE 2000
#define IDD_SOURCE_ABOUT 2001
#define IDI_SOURCE 2003

// Dialog 2000.
#define IDC_TRANSFER 3
#define IDC_ABOUT 4
#define IDC_PLAY 5
#define IDC_STOP 6
#define IDC_IRIS_OPEN 2004
#define IDC_IRIS_CLOSE 2005
#define IDC_FOCUS_NEAR 2006
#define IDC_FOCUS_FAR 2007
#define IDC_AUTOFOCUS 2008
#define IDC_ZOOM_TELE 2009
#define IDC_ZOOM_WIDE 2010
#define IDC_STILL 2011
#define IDC_IRIS_NORMAL 2012
#define IDC_PREVIEW 2013

// Dialog 2001.
#define IDC_ABOUT_PRODUCT 2020
#define IDC_ABOUT_VERSION 2021
#define IDC_ABOUT_MAKER 2022

// Commands the hidden window sends the dialog about the camera.
#define IDC_CAMERA_GONE 2063
#define IDC_CAMERA_BACK 2068

// Button bitmaps: up, down, disabled for each button, in that order from its base.
#define IDB_PLAY 2100
#define IDB_STOP 2103
#define IDB_STILL 2106
#define IDB_TRANSFER 2109
#define IDB_CLOSE 2112
#define IDB_ABOUT 2115
#define IDB_IRIS_NORMAL 2118
#define IDB_IRIS_OPEN 2121
#define IDB_IRIS_CLOSE 2124
#define IDB_FOCUS_NEAR 2127
#define IDB_FOCUS_FAR 2130
#define IDB_AUTOFOCUS 2133
#define IDB_ZOOM_TELE 2136
#define IDB_ZOOM_WIDE 2139
