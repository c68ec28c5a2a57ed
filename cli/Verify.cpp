#include "cli/Verify.h"

#include "cli/Fields.h"
#include "party/GameVocabulary.h"
#include "party/PartyEditor.h"
#include "savegame/Messages.h"
#include "savegame/SavedGameArchive.h"

namespace velmor::cli {
namespace {

// Counts above this are legal, but close enough to the directory's capacity to mention.
constexpr std::uint32_t kManyEntries = 4500;

void AddCharacterFindings(std::size_t c, const CharacterRecord& record,
                          std::vector<std::string>& findings) {
    const std::string base = "characters." + std::to_string(c);
    if (record.classIndex() >= kClassCount) {
        findings.push_back(base + ": class byte " + std::to_string(record.classIndex()) +
                           " names no class");
    }
    for (std::size_t k = 0; k < kSkillCount; ++k) {
        const SkillLevel shown = DecodeSkill(record.skill(k));
        if (shown.level < 0 || shown.level > kMaxSkillLevel) {
            findings.push_back(PathOf(SkillField{c, k}) + ": stored " +
                               std::to_string(record.skill(k)) + " reads as level " +
                               std::to_string(shown.level) + ", outside 0 to " +
                               std::to_string(kMaxSkillLevel));
        }
    }
    for (std::size_t s = 0; s < kSpellCount; ++s) {
        if (record.spellByte(s) > 1) {
            findings.push_back(PathOf(SpellField{c, s}) + ": byte " +
                               std::to_string(record.spellByte(s)) +
                               " is neither learned (1) nor unlearned (0)");
        }
    }
}

}  // namespace

std::vector<std::string> UnusualThings(const SavedGame& game,
                                       const std::vector<GameError>& loadMessages) {
    std::vector<std::string> findings;
    for (const GameError& message : loadMessages) {
        findings.push_back("the load said: " +
                           message.message.substr(0, message.message.find('\n')));
    }
    const ArchiveFacts& facts = game.facts();
    if (facts.entryCount > kManyEntries) {
        findings.push_back(std::to_string(facts.entryCount) + " entries, near the limit of " +
                           std::to_string(kMaxEntryCount));
    }
    if (facts.party.entryName != "party.bin") {
        findings.push_back("the party is read from the entry \"" + facts.party.entryName +
                           "\", the first whose name contains \"party.bin\"");
    }
    const std::uint64_t partyEnd = facts.party.position + facts.party.size;
    if (partyEnd != facts.fileSize) {
        findings.push_back("party.bin is not last in the file: " +
                           std::to_string(facts.fileSize - partyEnd) + " bytes follow it");
    }
    for (std::size_t c = 0; c < kCharacterCount; ++c) {
        AddCharacterFindings(c, game.party().characters[c], findings);
    }
    return findings;
}

}  // namespace velmor::cli
