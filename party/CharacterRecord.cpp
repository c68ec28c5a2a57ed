#include "party/CharacterRecord.h"

#include <algorithm>
#include <cassert>

#include "party/ByteOrder.h"
#include "party/GameVocabulary.h"

namespace velmor {
namespace {

constexpr std::size_t kNameOffset = 8;
constexpr std::size_t kNameSize = 32;
constexpr std::size_t kInfoTextOffset = 40;
constexpr std::size_t kInfoTextSize = 650;
constexpr std::size_t kClassIndexOffset = 690;
constexpr std::size_t kSkillsOffset = 728;
constexpr std::size_t kSpellLearnedOffset = 870;

// Text that ends at its first zero byte or at the end of its field, whichever comes first.
std::string_view TextAt(const CharacterRecord::Bytes& bytes, std::size_t offset, std::size_t size) {
    const auto* begin = bytes.data() + offset;
    const auto* end = std::find(begin, begin + size, std::uint8_t{0});
    return {reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin)};
}

}  // namespace

std::uint32_t CharacterRecord::number(CharacterNumber field) const {
    return ReadU32(m_bytes, static_cast<std::size_t>(field));
}

void CharacterRecord::setNumber(CharacterNumber field, std::uint32_t value) {
    WriteU32(m_bytes, static_cast<std::size_t>(field), value);
}

std::string_view CharacterRecord::name() const {
    return TextAt(m_bytes, kNameOffset, kNameSize);
}

std::string_view CharacterRecord::infoText() const {
    return TextAt(m_bytes, kInfoTextOffset, kInfoTextSize);
}

std::uint8_t CharacterRecord::classIndex() const {
    return m_bytes[kClassIndexOffset];
}

void CharacterRecord::setClassIndex(std::uint8_t classIndex) {
    m_bytes[kClassIndexOffset] = classIndex;
}

SkillValue CharacterRecord::skill(std::size_t skill) const {
    assert(skill < kSkillCount);
    return ReadU16(m_bytes, kSkillsOffset + 2 * skill);
}

void CharacterRecord::setSkill(std::size_t skill, SkillValue value) {
    assert(skill < kSkillCount);
    WriteU16(m_bytes, kSkillsOffset + 2 * skill, value);
}

std::uint8_t CharacterRecord::spellByte(std::size_t spell) const {
    assert(spell < kSpellCount);
    return m_bytes[kSpellLearnedOffset + spell];
}

void CharacterRecord::setSpellLearned(std::size_t spell, bool learned) {
    assert(spell < kSpellCount);
    m_bytes[kSpellLearnedOffset + spell] = learned ? 1 : 0;
}

}  // namespace velmor
