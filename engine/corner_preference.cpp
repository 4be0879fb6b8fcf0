#include "engine/corner_preference.h"

int32_t CornerPreferenceFor(CornerStyle style) {
    switch (style) {
        case CornerStyle::Dull:
            return 3;
        case CornerStyle::Sharp:
            return 1;
        default:
            return 2;
    }
}
