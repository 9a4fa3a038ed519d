// KorvoCameraControl: switches faults and states of a running camera
// stand-in from the command line and prints its counters.
//   KorvoCameraControl [--pid N] status | plug | unplug | insert-card | remove-card
//   KorvoCameraControl [--pid N] refuse|fail|corrupt|empty|fail-card-write|lock-card-write N | delay MS | rate FPS
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "CameraControlClient.h"
#include "Handles.h"

namespace {

std::vector<DWORD> ProcessesWithCamera() {
    std::vector<DWORD> found;
    fw::Handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    if (!snapshot || !::Process32FirstW(snapshot.get(), &entry)) return found;
    do {
        fw::Handle mapping(
            ::OpenFileMappingW(FILE_MAP_READ, FALSE, standin::ControlBlockName(entry.th32ProcessID).c_str()));
        if (mapping) found.push_back(entry.th32ProcessID);
    } while (::Process32NextW(snapshot.get(), &entry));
    return found;
}

void PrintCounters(DWORD pid, const standin::CameraCounters& c) {
    std::wprintf(L"process %lu: camera %ls, card %ls\n", pid, c.attached ? L"attached" : L"unplugged",
                 c.cardInserted ? L"inserted" : L"removed");
    std::wprintf(L"requests %ld, refused %ld, frames %ld, failed responses %ld\n", c.requests, c.refused, c.frames,
                 c.failed);
    std::wprintf(L"records issued %ld, returned %ld, outstanding %ld, bad hand-backs %ld\n", c.recordsIssued,
                 c.recordsReturned, c.recordsOutstanding, c.badReturns);
}

int Usage() {
    std::fputws(L"usage: KorvoCameraControl [--pid N] status | plug | unplug | insert-card | remove-card\n"
                L"       KorvoCameraControl [--pid N] refuse|fail|corrupt|empty|fail-card-write|lock-card-write N | delay MS | rate FPS\n",
                stderr);
    return 2;
}

bool ParseCount(const wchar_t* text, LONG& value) {
    wchar_t* end = nullptr;
    long n = std::wcstol(text, &end, 10);
    if (!end || *end || end == text || n < 0) return false;
    value = n;
    return true;
}

// Runs one command against the client; false for an unknown command or a missing value.
bool Run(standin::CameraControlClient& camera, const std::wstring& command, const wchar_t* argument, bool& ok) {
    using Setter = void (standin::CameraControlClient::*)(LONG);
    static const struct { const wchar_t* name; Setter set; } kSetters[] = {
        {L"refuse", &standin::CameraControlClient::RefuseRequests},
        {L"fail", &standin::CameraControlClient::FailResponses},
        {L"corrupt", &standin::CameraControlClient::CorruptFrames},
        {L"empty", &standin::CameraControlClient::EmptyFrames},
        {L"fail-card-write", &standin::CameraControlClient::FailCardWrites},
        {L"lock-card-write", &standin::CameraControlClient::LockCardWrites},
        {L"delay", &standin::CameraControlClient::SetDelay},
        {L"rate", &standin::CameraControlClient::SetFrameRate},
    };
    for (const auto& setter : kSetters) {
        if (command != setter.name) continue;
        LONG value = 0;
        if (!argument || !ParseCount(argument, value)) return false;
        (camera.*setter.set)(value);
        return ok = true;
    }
    if (command == L"plug") ok = camera.Plug();
    else if (command == L"unplug") ok = camera.Unplug();
    else if (command == L"insert-card") ok = camera.InsertCard();
    else if (command == L"remove-card") ok = camera.RemoveCard();
    else if (command == L"status") ok = true;
    else return false;
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int next = 1;
    DWORD pid = 0;
    if (argc > 2 && std::wcscmp(argv[1], L"--pid") == 0) {
        pid = static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10));
        next = 3;
    }
    if (next >= argc) return Usage();
    if (pid == 0) {
        std::vector<DWORD> candidates = ProcessesWithCamera();
        if (candidates.size() != 1) {
            std::fwprintf(stderr, L"%zu processes hold the camera stand-in; name one with --pid\n",
                          candidates.size());
            for (DWORD candidate : candidates) std::fwprintf(stderr, L"  %lu\n", candidate);
            return 1;
        }
        pid = candidates.front();
    }
    standin::CameraControlClient camera(pid);
    if (!camera.connected()) {
        std::fwprintf(stderr, L"process %lu holds no camera stand-in\n", pid);
        return 1;
    }
    bool ok = false;
    if (!Run(camera, argv[next], next + 1 < argc ? argv[next + 1] : nullptr, ok)) return Usage();
    PrintCounters(pid, camera.Counters());
    return ok ? 0 : 1;
}
