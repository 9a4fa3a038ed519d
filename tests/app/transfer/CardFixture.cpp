#include "CardFixture.h"

namespace transfer_test {

void CardTest::SetUp() {
    camera = std::make_unique<camera_test::LoadedCamera>(Settings());
    ASSERT_NE(camera->get(), nullptr);
    DWORD detail = 0;
    ASSERT_TRUE((*camera)->bOpen(camera->window(), &detail));
}

void CardTest::MakeCardFolder(const std::wstring& relative) {
    std::wstring path = camera->cardFolder();
    for (size_t start = 0; start <= relative.size();) {
        size_t end = relative.find(L'\\', start);
        if (end == std::wstring::npos) end = relative.size();
        path += L"\\" + relative.substr(start, end - start);
        ::CreateDirectoryW(path.c_str(), nullptr);
        start = end + 1;
    }
}

std::string CardTest::WriteSource(const std::wstring& name, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + name.size() * 13 + name.back()) & 0xFF);
    testing_support::WriteFileBytes(source / name, bytes);
    return bytes;
}

std::vector<uint16_t> CardTest::CommandsSince(LONG after) const {
    std::vector<uint16_t> codes;
    for (const standin::LoggedRequest& r : camera->control().RecentRequests(after)) codes.push_back(r.command);
    return codes;
}

}  // namespace transfer_test
