#pragma once
// A copy of everything on the clipboard that can be put back later: text in every form,
// bitmaps and device-independent bitmaps, enhanced metafiles, file lists and any other
// format whose data is a memory block. Used to leave the user's clipboard as it was after
// the program has borrowed it.
#include <windows.h>

#include <vector>

class ClipboardSnapshot {
  public:
    ClipboardSnapshot() = default;
    ~ClipboardSnapshot();
    ClipboardSnapshot(const ClipboardSnapshot&) = delete;
    ClipboardSnapshot& operator=(const ClipboardSnapshot&) = delete;

    // Copies the clipboard's formats, then empties it. False, with the clipboard left alone,
    // when it could not be opened or holds content of which nothing could be copied.
    bool TakeAndEmpty(HWND owner);
    // Puts the copied formats back in their order, in place of what the clipboard holds now; a
    // clipboard that was empty when taken is emptied again. Does nothing when nothing was
    // taken; false when the clipboard could not be opened.
    bool Restore(HWND owner);

    bool Empty() const { return formats_.empty(); }

  private:
    struct Format {
        UINT id;
        HANDLE data;
    };
    void Release();

    std::vector<Format> formats_;
    bool taken_ = false;
};

// Opens the clipboard, retrying for a short while: another program may be holding it.
bool OpenClipboardPatiently(HWND owner);
// Waits, answering the messages other threads send meanwhile. The clipboard's owner must:
// a program that takes the clipboard over tells the owner first and waits for its answer.
void PauseAnsweringSentMessages(DWORD milliseconds);
