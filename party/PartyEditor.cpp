#include "party/PartyEditor.h"

#include <algorithm>
#include <cassert>

#include "party/ClassRules.h"

namespace velmor {
namespace {

// The lowest level a skill of this mastery can be stored with and read back as.
std::int32_t LowestLevel(Mastery mastery) {
    return mastery == Mastery::Grandmaster ? kLowestGrandmasterLevel : 0;
}

}  // namespace

CharacterRecord& PartyEditor::record(std::size_t character) {
    assert(character < kCharacterCount);
    return m_party.characters[character];
}

NumberEdit PartyEditor::setNumber(const PartyField& field, std::optional<std::size_t> character,
                                  std::uint32_t asked) {
    assert(field.kind == FieldKind::number && field.editable());
    const NumberEdit edit{std::min(asked, field.limit), asked > field.limit};
    if (field.owner == FieldOwner::party) {
        m_party.values.setNumber(field, edit.stored);
    } else if (character) {
        record(*character).setNumber(field, edit.stored);
    }
    return edit;
}

SkillEdit PartyEditor::setSkill(std::size_t character, std::size_t skill, SkillLevel asked) {
    const std::int32_t level =
        asked.mastery == Mastery::None
            ? 0
            : std::clamp(asked.level, LowestLevel(asked.mastery), kMaxSkillLevel);
    const SkillValue stored = EncodeSkill(asked.mastery, level);
    record(character).setSkill(skill, stored);
    return {DecodeSkill(stored), asked.mastery != Mastery::None && level != asked.level};
}

SkillEdit PartyEditor::typeSkillLevel(std::size_t character, std::size_t skill, SkillLevel shown,
                                      std::int32_t typed) {
    Mastery mastery = shown.level == 0 ? Mastery::Normal : shown.mastery;
    if (typed == 0) {
        mastery = Mastery::None;
    }
    return setSkill(character, skill, {mastery, typed});
}

SkillEdit PartyEditor::clickMastery(std::size_t character, std::size_t skill, Mastery clicked,
                                    std::int32_t shownLevel) {
    return setSkill(character, skill, {clicked, shownLevel});
}

void PartyEditor::setSpellLearned(std::size_t character, std::size_t spell, bool learned) {
    record(character).setSpellLearned(spell, learned);
}

std::uint8_t PartyEditor::stepClass(std::size_t character, bool promote) {
    CharacterRecord& hero = record(character);
    const auto stepped = static_cast<std::uint8_t>(hero.classIndex() + (promote ? 1 : -1));
    hero.setClassIndex(stepped);
    return stepped;
}

bool PartyEditor::setPromoted(std::size_t character, bool promoted) {
    if (IsPromoted(record(character).classIndex()) == promoted) {
        return false;
    }
    stepClass(character, promoted);
    return true;
}

}  // namespace velmor
