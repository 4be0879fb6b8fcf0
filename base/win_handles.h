#pragma once
// Owning wrappers for Win32 handles: one-line aliases over std::unique_ptr with a small
// deleter each. None of them is copyable.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <type_traits>

template <typename H, auto Close>
struct HandleDeleter {
    using pointer = H;
    void operator()(H h) const noexcept {
        if (h) Close(h);
    }
};

template <typename H, auto Close>
using UniqueHandleOf = std::unique_ptr<std::remove_pointer_t<H>, HandleDeleter<H, Close>>;

inline void CloseKernelHandle(HANDLE h) noexcept {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}
inline void CloseFindHandle(HANDLE h) noexcept {
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
}
inline void CloseRegKey(HKEY k) noexcept {
    RegCloseKey(k);
}
inline void DestroyMenuHandle(HMENU m) noexcept {
    DestroyMenu(m);
}
inline void FreeModuleHandle(HMODULE m) noexcept {
    FreeLibrary(m);
}
inline void UnhookEventHandle(HWINEVENTHOOK h) noexcept {
    UnhookWinEvent(h);
}

using UniqueHandle = UniqueHandleOf<HANDLE, CloseKernelHandle>;
using UniqueFindHandle = UniqueHandleOf<HANDLE, CloseFindHandle>;
using UniqueHkey = UniqueHandleOf<HKEY, CloseRegKey>;
using UniqueHmenu = UniqueHandleOf<HMENU, DestroyMenuHandle>;
using UniqueHmodule = UniqueHandleOf<HMODULE, FreeModuleHandle>;
using UniqueWinEventHook = UniqueHandleOf<HWINEVENTHOOK, UnhookEventHandle>;

// A file or process handle from an API that reports failure as INVALID_HANDLE_VALUE or null.
inline bool IsValid(const UniqueHandle& h) {
    return h && h.get() != INVALID_HANDLE_VALUE;
}
