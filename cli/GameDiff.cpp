#include "cli/GameDiff.h"

#include <algorithm>
#include <span>

#include "party/ClassRules.h"
#include "party/Windows1252.h"
#include "savegame/PartyEntry.h"

namespace velmor::cli {
namespace {

struct ByteRange {
    std::uint64_t offset;  // in party.bin
    std::uint64_t size;
};

std::string Quoted(std::string_view text) {
    return "\"" + Windows1252ToUtf8(text) + "\"";
}

std::string ClassText(std::uint8_t index) {
    return ClassName(index) + " (" + std::to_string(index) + ")";
}

std::string SkillWithValue(SkillValue stored) {
    return SkillText(DecodeSkill(stored)) + " (" + std::to_string(stored) + ")";
}

// Compares field by field, remembering which bytes of party.bin the listed fields cover.
class FieldComparer {
public:
    FieldComparer(const Party& a, const Party& b) : m_a(a), m_b(b) {}

    void compare() {
        for (const PartyField* field : fields::kPartyValues) {
            add("party." + std::string(field->key), std::to_string(m_a.values.number(*field)),
                std::to_string(m_b.values.number(*field)),
                {kPartyValuesOffset + field->offset, field->size});
        }
        for (std::size_t c = 0; c < kCharacterCount; ++c) {
            for (const PartyField* field : fields::kCharacter) {
                compareCharacterField(c, *field);
            }
        }
    }

    std::vector<Change> changes;
    std::vector<ByteRange> covered;

private:
    void compareCharacterField(std::size_t c, const PartyField& field) {
        const CharacterRecord& a = m_a.characters[c];
        const CharacterRecord& b = m_b.characters[c];
        const std::string path = "characters." + std::to_string(c) + "." + std::string(field.key);
        const std::uint64_t at = kCharacterTableOffset + c * kCharacterRecordSize + field.offset;
        const ByteRange whole{at, field.size};
        switch (field.kind) {
            case FieldKind::number:
                add(path, std::to_string(a.number(field)), std::to_string(b.number(field)), whole);
                break;
            case FieldKind::text:
                add(path, Quoted(a.text(field)), Quoted(b.text(field)), whole);
                break;
            case FieldKind::classIndex:
                add(path, ClassText(a.classIndex()), ClassText(b.classIndex()), whole);
                break;
            case FieldKind::skills:
                for (std::size_t k = 0; k < field.count; ++k) {
                    add(path + "." + std::to_string(k), SkillWithValue(a.skill(k)),
                        SkillWithValue(b.skill(k)), {at + field.size * k, field.size});
                }
                break;
            case FieldKind::spells:
                for (std::size_t s = 0; s < field.count; ++s) {
                    add(path + "." + std::to_string(s), SpellText(a.spellByte(s)),
                        SpellText(b.spellByte(s)), {at + field.size * s, field.size});
                }
                break;
        }
    }

    void add(std::string path, std::string before, std::string after, ByteRange range) {
        if (before != after) {
            changes.push_back({std::move(path), std::move(before), std::move(after)});
            covered.push_back(range);
        }
    }

    const Party& m_a;
    const Party& m_b;
};

// Positions where two byte runs differ; a position that only one of them has differs.
template <typename Skip>
std::uint64_t CountDifferences(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                               Skip skip) {
    std::uint64_t count = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const bool differs = i >= a.size() || i >= b.size() || a[i] != b[i];
        if (differs && !skip(i)) {
            ++count;
        }
    }
    return count;
}

// The entry's data as the file holds it; the load has made sure that the file holds all of it.
std::span<const std::uint8_t> PartyData(const SavedGame& game, const FileBytes& file) {
    return std::span(file).subspan(game.facts().party.position, game.facts().party.size);
}

FileBytes WithoutParty(const SavedGame& game, const FileBytes& file) {
    const auto start = static_cast<std::ptrdiff_t>(game.facts().party.position);
    const auto end = start + static_cast<std::ptrdiff_t>(game.facts().party.size);
    FileBytes rest(file.begin(), file.begin() + start);
    rest.insert(rest.end(), file.begin() + end, file.end());
    return rest;
}

}  // namespace

GameDifference DiffGames(const SavedGame& a, const FileBytes& fileA, const SavedGame& b,
                         const FileBytes& fileB) {
    FieldComparer comparer(a.party(), b.party());
    comparer.compare();

    GameDifference difference;
    difference.fields = std::move(comparer.changes);
    const auto partyA = PartyData(a, fileA);
    const auto partyB = PartyData(b, fileB);
    std::vector<bool> listed(std::max(partyA.size(), partyB.size()));
    for (const ByteRange& range : comparer.covered) {
        for (std::uint64_t offset = range.offset; offset < range.offset + range.size; ++offset) {
            listed[offset] = true;
        }
    }
    difference.otherPartyBytes =
        CountDifferences(partyA, partyB, [&](std::size_t offset) { return bool(listed[offset]); });
    difference.otherFileBytes = CountDifferences(WithoutParty(a, fileA), WithoutParty(b, fileB),
                                                 [](std::size_t) { return false; });
    return difference;
}

}  // namespace velmor::cli
