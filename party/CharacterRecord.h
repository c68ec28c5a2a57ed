// One character of the saved game, held as the exact bytes of the file so that whatever the
// editor does not understand goes back unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "party/SkillValue.h"

namespace velmor {

inline constexpr std::size_t kCharacterRecordSize = 7464;

// The 32-bit numbers of a record; each enumerator is the field's offset in the record. The
// statistics lie in the order Might, Intellect, Personality, Endurance, Speed, Accuracy, Luck,
// which is not the order of the window's rows.
enum class CharacterNumber : std::uint16_t {
    experience = 0,
    might = 692,
    intellect = 696,
    personality = 700,
    endurance = 704,
    speed = 708,
    accuracy = 712,
    luck = 716,
    skillPoints = 6996,
};

class CharacterRecord {
public:
    using Bytes = std::array<std::uint8_t, kCharacterRecordSize>;

    CharacterRecord() = default;
    explicit CharacterRecord(const Bytes& bytes) : m_bytes(bytes) {}

    const Bytes& bytes() const { return m_bytes; }

    std::uint32_t number(CharacterNumber field) const;
    void setNumber(CharacterNumber field, std::uint32_t value);

    // The texts are single-byte Western Windows text, returned as the record's own bytes.
    // The name ends at its first zero byte and is at most 32 bytes long.
    std::string_view name() const;
    // Begins at offset 40 and ends at its first zero byte, at the latest at offset 689.
    std::string_view infoText() const;

    std::uint8_t classIndex() const;
    void setClassIndex(std::uint8_t classIndex);

    // skill: 0 to 38, as in kSkillNames.
    SkillValue skill(std::size_t skill) const;
    void setSkill(std::size_t skill, SkillValue value);

    // spell: 0 to 131, as in kSpellNames. A spell is learned only when its byte is exactly 1;
    // the editor writes only 1 or 0.
    std::uint8_t spellByte(std::size_t spell) const;
    bool spellLearned(std::size_t spell) const { return spellByte(spell) == 1; }
    void setSpellLearned(std::size_t spell, bool learned);

    friend bool operator==(const CharacterRecord&, const CharacterRecord&) = default;

private:
    Bytes m_bytes{};
};

}  // namespace velmor
