// The control channel's shared block as another program of the user may
// leave it: request counts out of range stay inside the ring, and the block
// is closed to other accounts.
#include <gtest/gtest.h>

#include <aclapi.h>

#include <climits>
#include <memory>
#include <vector>

#include "CameraHarness.h"
#include "Handles.h"
#include "StandInCodes.h"

using namespace camera_test;

namespace {

// The block mapped by the test itself, as a hostile program would.
class RawBlock {
public:
    RawBlock()
        : mapping_(::OpenFileMappingW(FILE_MAP_ALL_ACCESS | READ_CONTROL, FALSE,
                                      standin::ControlBlockName(::GetCurrentProcessId()).c_str())),
          block_(mapping_ ? static_cast<standin::ControlBlock*>(::MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0,
                                                                                 0, sizeof(standin::ControlBlock)))
                          : nullptr) {}
    ~RawBlock() {
        if (block_) ::UnmapViewOfFile(block_);
    }
    RawBlock(const RawBlock&) = delete;
    RawBlock& operator=(const RawBlock&) = delete;

    standin::ControlBlock* operator->() const { return block_; }
    explicit operator bool() const { return block_ != nullptr; }
    HANDLE mapping() const { return mapping_.get(); }
    // The fields ahead of the request log, which a logged request must leave
    // alone apart from its two counters.
    std::vector<LONG> Head() const {
        const volatile LONG* first = &block_->magic;
        std::vector<LONG> head(first, first + (&block_->requestsLogged - first));
        head[&block_->requests - first] = 0;
        head[&block_->refused - first] = 0;
        return head;
    }

private:
    fw::Handle mapping_;
    standin::ControlBlock* block_;
};

struct LocalFreer {
    void operator()(void* p) const { ::LocalFree(p); }
};

std::vector<BYTE> CurrentUserSid() {
    HANDLE raw = nullptr;
    ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw);
    fw::Handle token(raw);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    const BYTE* bytes = static_cast<const BYTE*>(sid);
    return std::vector<BYTE>(bytes, bytes + ::GetLengthSid(sid));
}

}  // namespace

TEST(ControlChannel, RequestCountsOutOfRangeStayInsideTheRing) {
    LoadedCamera camera;
    ASSERT_NE(camera.get(), nullptr);
    DWORD detail = 0;
    ASSERT_TRUE(camera->bOpen(camera.window(), &detail));
    RawBlock block;
    ASSERT_TRUE(block);
    const struct {
        LONG logged;
        size_t listed;  // entries RecentRequests gives afterwards
    } kCounts[] = {{-1, 0}, {-1000, 0}, {INT_MIN, 0}, {INT_MAX - 1, 1}, {INT_MAX, 0}};
    for (const auto& c : kCounts) {
        ::InterlockedExchange(&block->requestsLogged, c.logged);
        std::vector<LONG> head = block.Head();
        auto request = device::MakeRequest(0x1234);  // refused, but logged
        DWORD value = 0;
        EXPECT_FALSE(camera->bRequestAsync(camera.window(), &request, &value, &detail));
        EXPECT_EQ(block.Head(), head) << c.logged;
        std::vector<standin::LoggedRequest> listed = camera.control().RecentRequests(INT_MIN);
        ASSERT_EQ(listed.size(), c.listed) << c.logged;
        if (c.listed) {
            EXPECT_EQ(listed[0].number, INT_MAX);
            EXPECT_EQ(listed[0].command, 0x1234);
        }
    }
}

TEST(ControlChannel, BlockIsOpenToTheCurrentUserOnly) {
    LoadedCamera camera;
    ASSERT_NE(camera.get(), nullptr);
    RawBlock block;
    ASSERT_TRUE(block);
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR raw = nullptr;
    ASSERT_EQ(::GetSecurityInfo(block.mapping(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                nullptr, &raw),
              static_cast<DWORD>(ERROR_SUCCESS));
    std::unique_ptr<void, LocalFreer> descriptor(raw);
    std::vector<BYTE> user = CurrentUserSid();
    ASSERT_FALSE(user.empty());
    ASSERT_NE(dacl, nullptr) << "a null DACL lets everybody in";
    ASSERT_EQ(dacl->AceCount, 1);
    void* ace = nullptr;
    ASSERT_TRUE(::GetAce(dacl, 0, &ace));
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_TRUE(::EqualSid(&allowed->SidStart, user.data()));
}
