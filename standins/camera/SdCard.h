#pragma once
// The SD memory card in the camera, kept in a host folder whose root is
// "C:\" on the card. Executes the card commands of the command packets.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct ControlBlock;

struct CardRequest {
    uint16_t code = 0;
    std::string name;  // ANSI card path, may be empty
    std::vector<uint8_t> send;
};

struct CardResponse {
    int32_t status = 0;
    bool carriesData = false;
    std::vector<uint8_t> data;
};

class SdCard {
public:
    // The control block gives the card state, read at every command, and the
    // injected write failures.
    SdCard(const std::wstring& hostFolder, uint64_t capacity, ControlBlock& control);

    static bool IsCardCommand(uint16_t code);
    CardResponse Execute(const CardRequest& request);

private:
    struct Place {
        std::vector<std::wstring> parts;
        std::wstring host;
    };

    bool Present() const;
    std::optional<Place> Resolve(const std::string& cardPath) const;

    CardResponse FolderList() const;
    CardResponse FileList(const Place& folder) const;
    CardResponse ReadFile(const Place& file) const;
    CardResponse WriteFile(const Place& file, const std::vector<uint8_t>& bytes) const;
    bool WriteHostFile(const std::wstring& path, const std::vector<uint8_t>& bytes) const;
    CardResponse DeleteFolder(const Place& folder) const;
    CardResponse CreateFolder(const Place& folder) const;
    bool Fits(const Place& file, uint64_t size) const;

    std::wstring root_;  // with a trailing backslash
    uint64_t capacity_;
    ControlBlock& control_;
    std::mutex lock_;  // the card does one command at a time
};

}  // namespace standin
