#include "tests/driver/RemoteBuffer.h"

namespace e2e {

TRemoteBuffer::TRemoteBuffer(HWND wnd, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_)
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

TRemoteBuffer::~TRemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

bool TRemoteBuffer::Write(size_t offset, const void* data, size_t size) const {
    SIZE_T done = 0;
    return address_ && offset + size <= size_ &&
           WriteProcessMemory(process_, At(offset), data, size, &done) && done == size;
}

bool TRemoteBuffer::Read(size_t offset, void* data, size_t size) const {
    SIZE_T done = 0;
    return address_ && offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, &done) &&
           done == size;
}

}  // namespace e2e
