#pragma once
// Memory in the process that owns a window, for the control messages whose
// pointers the system does not carry across processes (the tree view's
// items and rectangles among them): the message gets the buffer's address
// in that process, the driver writes and reads the bytes around it.

#include <windows.h>

#include <cstddef>

namespace e2e {

class TRemoteBuffer {
public:
    // size bytes in the process of wnd; Valid() tells whether they were given.
    TRemoteBuffer(HWND wnd, size_t size);
    ~TRemoteBuffer();
    TRemoteBuffer(const TRemoteBuffer&) = delete;
    TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    // The address in the other process, at an offset.
    void* At(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    LPARAM Param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(At(offset)); }
    bool Write(size_t offset, const void* data, size_t size) const;
    bool Read(size_t offset, void* data, size_t size) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_ = 0;
};

}  // namespace e2e
