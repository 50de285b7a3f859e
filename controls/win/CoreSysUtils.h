#pragma once
// Freeing a library handle.

#include <windows.h>

// Frees the library when there is one and clears the handle.
inline void FreeAndNilLibrary(HMODULE& library) noexcept {
    if (library) FreeLibrary(library);
    library = nullptr;
}
