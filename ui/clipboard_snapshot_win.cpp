#include "ui/clipboard_snapshot.h"

#include <cstring>

namespace {

constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenRetryMs = 10;

enum class DataKind { Memory, Bitmap, EnhancedMetafile, NotCopyable };

// Most formats are memory blocks. The GDI-object formats need their own copy; the display,
// private and GDI-object ranges and the old metafile picture (a block holding a GDI handle)
// cannot be copied safely, and the system renders most of them again from the others.
DataKind KindOf(UINT format) {
    switch (format) {
        case CF_BITMAP:
            return DataKind::Bitmap;
        case CF_ENHMETAFILE:
            return DataKind::EnhancedMetafile;
        case CF_METAFILEPICT:
        case CF_PALETTE:
        case CF_OWNERDISPLAY:
        case CF_DSPTEXT:
        case CF_DSPBITMAP:
        case CF_DSPMETAFILEPICT:
        case CF_DSPENHMETAFILE:
            return DataKind::NotCopyable;
        default:
            return format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST ? DataKind::NotCopyable : DataKind::Memory;
    }
}

HANDLE CopyMemoryBlock(HANDLE source) {
    const SIZE_T size = GlobalSize(source);
    if (size == 0) return nullptr;
    const void* from = GlobalLock(source);
    if (!from) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    void* to = copy ? GlobalLock(copy) : nullptr;
    if (to) {
        std::memcpy(to, from, size);
        GlobalUnlock(copy);
    } else if (copy) {
        GlobalFree(copy);
        copy = nullptr;
    }
    GlobalUnlock(source);
    return copy;
}

HANDLE CopyData(UINT format, HANDLE source) {
    if (!source) return nullptr;
    switch (KindOf(format)) {
        case DataKind::Memory:
            return CopyMemoryBlock(source);
        case DataKind::Bitmap:
            return CopyImage(source, IMAGE_BITMAP, 0, 0, 0);
        case DataKind::EnhancedMetafile:
            return CopyEnhMetaFile(static_cast<HENHMETAFILE>(source), nullptr);
        default:
            return nullptr;
    }
}

void FreeData(UINT format, HANDLE data) {
    switch (KindOf(format)) {
        case DataKind::Bitmap:
            DeleteObject(data);
            break;
        case DataKind::EnhancedMetafile:
            DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
            break;
        default:
            GlobalFree(data);
            break;
    }
}

}  // namespace

void PauseAnsweringSentMessages(DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // delivers what was sent
    }
}

bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        PauseAnsweringSentMessages(kOpenRetryMs);
    }
    return false;
}

ClipboardSnapshot::~ClipboardSnapshot() {
    Release();
}

void ClipboardSnapshot::Release() {
    for (const Format& format : formats_) FreeData(format.id, format.data);
    formats_.clear();
}

bool ClipboardSnapshot::TakeAndEmpty(HWND owner) {
    Release();
    taken_ = false;
    if (!OpenClipboardPatiently(owner)) return false;
    const bool heldSomething = CountClipboardFormats() > 0;
    for (UINT id = EnumClipboardFormats(0); id != 0; id = EnumClipboardFormats(id)) {
        if (HANDLE copy = CopyData(id, GetClipboardData(id))) {
            try {
                formats_.push_back({id, copy});
            } catch (...) {
                FreeData(id, copy);
                break;
            }
        }
    }
    // Emptied only when something was kept: content that cannot be copied is not thrown away here,
    // and a clipboard holding only such content is not taken at all.
    if (!formats_.empty()) EmptyClipboard();
    CloseClipboard();
    taken_ = !formats_.empty() || !heldSomething;
    return taken_;
}

bool ClipboardSnapshot::Restore(HWND owner) {
    if (!taken_) return true;
    if (!OpenClipboardPatiently(owner)) return false;
    taken_ = false;
    // Also when nothing was copied: the clipboard was empty, and what was put there since goes.
    EmptyClipboard();
    for (Format& format : formats_) {
        // The clipboard owns what it accepted; a refused copy is still ours to free.
        if (SetClipboardData(format.id, format.data)) format.data = nullptr;
    }
    CloseClipboard();
    for (const Format& format : formats_) {
        if (format.data) FreeData(format.id, format.data);
    }
    formats_.clear();
    return true;
}
