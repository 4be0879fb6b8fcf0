#include "engine/posted_profiles.h"

#include <new>
#include <unordered_set>

#include "base/guarded_value.h"
#include "base/ids.h"

namespace {

using PostedSet = std::unordered_set<const WindowProfile*>;
// Never destroyed: a detached thread may still post or take while the process exits.
GuardedValue<PostedSet>& PostedProfiles = *new GuardedValue<PostedSet>();

}  // namespace

bool PostProfileCopy(HWND target, const WindowProfile& record, LPARAM code) {
    if (!target) return false;
    try {
        auto copy = std::make_unique<WindowProfile>(record);
        const WindowProfile* pointer = copy.get();
        // Registered before the post: the receiver may take it before PostMessageW returns.
        PostedProfiles.Update([&](PostedSet& posted) { posted.insert(pointer); });
        if (PostMessageW(target, WM_PNR_LOAD_PROFILE, reinterpret_cast<WPARAM>(pointer), code)) {
            copy.release();
            return true;
        }
        PostedProfiles.Update([&](PostedSet& posted) { posted.erase(pointer); });
    } catch (const std::bad_alloc&) {
        // Nothing is shown then; the next record will do.
    }
    return false;
}

std::unique_ptr<WindowProfile> TakePostedProfile(WPARAM wParam) {
    const auto* pointer = reinterpret_cast<const WindowProfile*>(wParam);
    const bool ours = PostedProfiles.Update([&](PostedSet& posted) { return posted.erase(pointer) == 1; });
    return std::unique_ptr<WindowProfile>(ours ? const_cast<WindowProfile*>(pointer) : nullptr);
}
