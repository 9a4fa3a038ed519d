#pragma once
// Resources of the framework tests' own template (FrameworkTests.rc), clear
// of the application's.
#define IDD_TEST_WORKER 0x7F10
#define IDC_TEST_PROGRESS 0x7F11
#define IDC_TEST_TEXT 0x7F12
