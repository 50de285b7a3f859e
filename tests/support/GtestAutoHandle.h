#pragma once
// GoogleTest's Windows death-test code needs its handle owner, which its
// port header only declares in a thread-safe build.  The Windows build makes
// GoogleTest single-threaded (see cmake/SprawTesting.cmake), so the library
// gets this one, force-included into its own sources only.
#ifdef _WIN32
#include <windows.h>

namespace testing::internal {

class AutoHandle {
public:
    typedef void* Handle;
    AutoHandle() = default;
    explicit AutoHandle(Handle handle) : handle_(handle) {}
    ~AutoHandle() { Reset(); }
    AutoHandle(const AutoHandle&) = delete;
    AutoHandle& operator=(const AutoHandle&) = delete;

    Handle Get() const { return handle_; }
    void Reset() { Reset(INVALID_HANDLE_VALUE); }
    void Reset(Handle handle) {
        if (handle_ == handle) return;
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace testing::internal
#endif
