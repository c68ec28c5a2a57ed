// One character of the saved game, held as the exact bytes of the file so that whatever the
// editor does not understand goes back unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "party/PartyFields.h"
#include "party/SkillValue.h"

namespace velmor {

inline constexpr std::size_t kCharacterRecordSize = 7464;

class CharacterRecord {
public:
    using Bytes = std::array<std::uint8_t, kCharacterRecordSize>;

    CharacterRecord() = default;
    explicit CharacterRecord(const Bytes& bytes) : m_bytes(bytes) {}

    const Bytes& bytes() const { return m_bytes; }

    // A 32-bit number of the record: a statistic, experience or skill points.
    std::uint32_t number(const PartyField& field) const;
    void setNumber(const PartyField& field, std::uint32_t value);

    // The texts are single-byte Western Windows text, returned as the record's own bytes, up to
    // their first zero byte and never past their field.
    std::string_view text(const PartyField& field) const;
    std::string_view name() const { return text(fields::kName); }
    std::string_view infoText() const { return text(fields::kInfoText); }

    std::uint8_t classIndex() const { return m_bytes[fields::kClass.offset]; }
    void setClassIndex(std::uint8_t classIndex) { m_bytes[fields::kClass.offset] = classIndex; }

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
