#pragma once
// Security attributes that grant the current user, and nobody else, access
// to a named object: the control channel's names are predictable, so any
// other account's process could otherwise open them.
#include <windows.h>

#include <memory>

namespace standin {

class CurrentUserOnly {
public:
    CurrentUserOnly();

    // Null when the descriptor could not be built; the caller then runs without a named object.
    SECURITY_ATTRIBUTES* get() { return descriptor_ ? &attributes_ : nullptr; }

private:
    struct LocalFreer {
        void operator()(void* p) const { ::LocalFree(p); }
    };

    std::unique_ptr<void, LocalFreer> descriptor_;
    SECURITY_ATTRIBUTES attributes_{};
};

}  // namespace standin
