#include "party/CharacterRecord.h"

#include <cassert>

#include "party/ByteFields.h"

namespace velmor {

std::uint32_t CharacterRecord::number(const PartyField& field) const {
    assert(field.owner == FieldOwner::character && field.kind == FieldKind::number);
    return ReadU32(m_bytes, field.offset);
}

void CharacterRecord::setNumber(const PartyField& field, std::uint32_t value) {
    assert(field.owner == FieldOwner::character && field.kind == FieldKind::number);
    WriteU32(m_bytes, field.offset, value);
}

std::string_view CharacterRecord::text(const PartyField& field) const {
    assert(field.owner == FieldOwner::character && field.kind == FieldKind::text);
    return ReadText(m_bytes, field.offset, field.size);
}

SkillValue CharacterRecord::skill(std::size_t skill) const {
    assert(skill < fields::kSkills.count);
    return ReadU16(m_bytes, fields::kSkills.offset + fields::kSkills.size * skill);
}

void CharacterRecord::setSkill(std::size_t skill, SkillValue value) {
    assert(skill < fields::kSkills.count);
    WriteU16(m_bytes, fields::kSkills.offset + fields::kSkills.size * skill, value);
}

std::uint8_t CharacterRecord::spellByte(std::size_t spell) const {
    assert(spell < fields::kSpells.count);
    return m_bytes[fields::kSpells.offset + spell];
}

void CharacterRecord::setSpellLearned(std::size_t spell, bool learned) {
    assert(spell < fields::kSpells.count);
    m_bytes[fields::kSpells.offset + spell] = learned ? 1 : 0;
}

}  // namespace velmor
