#include "party/ValueFields.h"

namespace velmor {

std::uint32_t ValueLimit(ValueField field) {
    switch (field) {
        case ValueField::food:
        case ValueField::gold:
        case ValueField::bankGold:
            return 9'999'999;
        case ValueField::experience:
            return 999'999'999;
        case ValueField::skillPoints:
            return 60'000;
        case ValueField::might:
        case ValueField::intellect:
        case ValueField::personality:
        case ValueField::endurance:
        case ValueField::accuracy:
        case ValueField::speed:
        case ValueField::luck:
            break;
    }
    return 255;
}

CappedValue CapValue(ValueField field, std::uint32_t typed) {
    const std::uint32_t limit = ValueLimit(field);
    return typed > limit ? CappedValue{limit, true} : CappedValue{typed, false};
}

std::optional<CharacterNumber> CharacterNumberOf(ValueField field) {
    switch (field) {
        case ValueField::might:
            return CharacterNumber::might;
        case ValueField::intellect:
            return CharacterNumber::intellect;
        case ValueField::personality:
            return CharacterNumber::personality;
        case ValueField::endurance:
            return CharacterNumber::endurance;
        case ValueField::accuracy:
            return CharacterNumber::accuracy;
        case ValueField::speed:
            return CharacterNumber::speed;
        case ValueField::luck:
            return CharacterNumber::luck;
        case ValueField::experience:
            return CharacterNumber::experience;
        case ValueField::skillPoints:
            return CharacterNumber::skillPoints;
        case ValueField::food:
        case ValueField::gold:
        case ValueField::bankGold:
            break;
    }
    return std::nullopt;
}

}  // namespace velmor
