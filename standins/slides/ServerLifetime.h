#pragma once
// How long the server process runs: while any object it made is alive or a
// client holds a server lock. When the last goes, the class stops taking new
// clients (the next one starts a fresh process) and the message loop of the
// serving thread is told to end.
#include <windows.h>
#include <objbase.h>

namespace slides {

// The thread whose message loop ends, and the class registration to revoke.
void BeginServing(DWORD threadId, DWORD classCookie);
void AddServerReference();
void ReleaseServerReference();
// True once the last reference went: no new object may be made.
bool ServerIsStopping();

}  // namespace slides
