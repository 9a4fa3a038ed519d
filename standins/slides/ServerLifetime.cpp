#include "ServerLifetime.h"

#include <atomic>
#include <utility>

namespace slides {

namespace {

// One server per process, as COM has one class registration per process.
std::atomic<long> g_references{0};
std::atomic<bool> g_stopping{false};
DWORD g_threadId = 0;
DWORD g_classCookie = 0;

}  // namespace

void BeginServing(DWORD threadId, DWORD classCookie) {
    g_threadId = threadId;
    g_classCookie = classCookie;
}

void AddServerReference() { g_references.fetch_add(1); }

void ReleaseServerReference() {
    if (g_references.fetch_sub(1) != 1 || !g_threadId) return;
    g_stopping = true;
    // Calls reach this apartment on its own thread, so the class can be revoked here.
    if (g_classCookie) ::CoRevokeClassObject(std::exchange(g_classCookie, 0));
    ::PostThreadMessageW(g_threadId, WM_QUIT, 0, 0);
}

bool ServerIsStopping() { return g_stopping; }

}  // namespace slides
