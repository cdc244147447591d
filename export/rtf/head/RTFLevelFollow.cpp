#include "export/rtf/head/RTFLevelFollow.h"

std::int16_t rtfLevelFollow(std::int16_t levelFollow) {
    switch (levelFollow) {
        case kRTFFollowTab:
        case u'\t': return kRTFFollowTab;
        case kRTFFollowSpace:
        case u' ': return kRTFFollowSpace;
        default: return kRTFFollowNothing;
    }
}
