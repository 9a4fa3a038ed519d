// Transfer rate to the SD card: 50 camera files sent to the camera stand-in's
// card as the transfer dialog sends them (one card command per file, its
// checks and bookkeeping), beside a plain file copy of the same bytes into a
// folder of the same disk.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "BenchClock.h"
#include "BenchStandIn.h"
#include "SDControl.h"
#include "base/Utilities.h"
#include "transfer/TransferJob.h"

namespace {

constexpr int kFiles = 50;
constexpr size_t kFileBytes = 600 * 1024;  // a converted 2592 x 1944 page is about this size
constexpr int kRounds = 3;

std::wstring FileName(int i) {
    wchar_t name[16];
    swprintf(name, 16, L"IMAG%04d.jpg", i + 1);
    return name;
}

bool MakeSources(const std::wstring& folder) {
    std::mt19937 random(17);
    std::string bytes(kFileBytes, '\0');
    for (int i = 0; i < kFiles; ++i) {
        for (char& b : bytes) b = static_cast<char>(random());
        if (!WriteBytes(folder + FileName(i), bytes)) return false;
    }
    return true;
}

// The best of the rounds, in megabytes per second; `clear` runs untimed before each.
double BestRate(const std::function<bool()>& work, const std::function<void()>& clear) {
    double best = 0;
    for (int round = 0; round < kRounds; ++round) {
        clear();
        const double start = Seconds();
        if (!work()) return -1;
        const double rate = kFiles * kFileBytes / (1024.0 * 1024.0) / (Seconds() - start);
        if (rate > best) best = rate;
    }
    return best;
}

void EmptyFolder(const std::wstring& folder) {
    for (int i = 0; i < kFiles; ++i) ::DeleteFileW((folder + FileName(i)).c_str());
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"PictavoTransferBench" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    const std::wstring source = folder + L"source\\", card = folder + L"SDCard\\", copy = folder + L"copy\\";
    for (const std::wstring& f : {folder, source, card, card + L"DCIM\\", card + L"DCIM\\100BENCH\\", copy})
        ::CreateDirectoryW(f.c_str(), nullptr);
    int result = 1;
    {
        StandIn standIn;
        if (!MakeSources(source) || !standIn.Load(folder)) {
            std::printf("TransferBench: could not prepare the files or the camera stand-in.\n");
        } else {
            CSDControl sd(standIn.camera);
            CTransferJob job(sd);
            const double sent = BestRate(
                [&] {
                    if (job.Prepare(source, L"C:\\DCIM\\100BENCH") != CTransferJob::Check::Ready) return false;
                    job.Run([] { return true; }, nullptr);
                    return job.sent() == kFiles;
                },
                [&] { EmptyFolder(card + L"DCIM\\100BENCH\\"); });
            const double copied = BestRate(
                [&] {
                    for (int i = 0; i < kFiles; ++i)
                        if (!::CopyFileW((source + FileName(i)).c_str(), (copy + FileName(i)).c_str(), TRUE)) return false;
                    return true;
                },
                [&] { EmptyFolder(copy); });
            std::printf("Transfer to SD memory, %d camera files of %u KB (best of %d runs):\n", kFiles,
                        static_cast<unsigned>(kFileBytes / 1024), kRounds);
            std::printf("  to the camera stand-in's card  %8.1f MB/s\n", sent);
            std::printf("  plain file copy, same bytes    %8.1f MB/s\n", copied);
            result = sent > 0 && copied > 0 ? 0 : 1;
        }
    }
    try {
        DeleteFolderTree(folder);
    } catch (const FileException&) {
        std::printf("TransferBench: %ls was left behind.\n", folder.c_str());
    }
    return result;
}
