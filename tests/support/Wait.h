#pragma once
// Waiting in tests: pump this thread's messages until a condition holds or
// a generous limit passes. Tests wait on what they assert, never on a fixed
// sleep, so a busy machine makes them slower, not red.
#include <windows.h>

#include <functional>

namespace testing_support {

// Long enough for a loaded 2-core machine under Wine; only a fault reaches it.
constexpr DWORD kWaitLimitMs = 30000;
// For another process to come up or end: a 32-bit Wine process may start
// through an emulator, about a minute each (see tests/CMakeLists.txt).
constexpr DWORD kProcessWaitLimitMs = 300000;

// Dispatches every message queued for this thread.
void PumpMessages();

// Pumps messages until `done` returns true (then true) or `ms` passed (false).
bool WaitUntil(const std::function<bool()>& done, DWORD ms = kWaitLimitMs);

// Pumps messages for `ms`: for tests that show something does NOT happen
// while the program runs, or that let time pass before an action (a key
// held down); never before an assertion that something did happen.
void PumpFor(DWORD ms);

}  // namespace testing_support
