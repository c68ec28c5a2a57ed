#include "party/SkillValue.h"

namespace velmor {

std::int32_t MasteryBonus(Mastery mastery) {
    switch (mastery) {
        case Mastery::Expert:
            return 64;
        case Mastery::Master:
            return 128;
        case Mastery::Grandmaster:
            return 256;
        case Mastery::None:
        case Mastery::Normal:
            break;
    }
    return 0;
}

SkillValue EncodeSkill(Mastery mastery, std::int32_t level) {
    if (mastery == Mastery::None) {
        return 0;
    }
    // The sum is formed in 32 bits and only its low 16 bits are kept, as the game does.
    const auto sum =
        static_cast<std::uint32_t>(level) + static_cast<std::uint32_t>(MasteryBonus(mastery));
    return static_cast<SkillValue>(sum & 0xFFFFu);
}

SkillLevel DecodeSkill(SkillValue stored) {
    const std::int32_t v = stored;
    if (v >= 192) {
        return {Mastery::Grandmaster, v - 256};
    }
    if (v >= 128) {
        return {Mastery::Master, v - 128};
    }
    if (v >= 64) {
        return {Mastery::Expert, v - 64};
    }
    if (v >= 1) {
        return {Mastery::Normal, v};
    }
    return {Mastery::None, 0};
}

}  // namespace velmor
