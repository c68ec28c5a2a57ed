#include "cli/GameDiff.h"

#include <algorithm>
#include <span>
#include <vector>

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

// Some ranges of a file's bytes, read one after the other in pieces.
class ByteRuns {
public:
    struct Range {
        std::uint64_t begin;
        std::uint64_t end;
    };
    ByteRuns(File& file, std::vector<Range> ranges) : m_file(file), m_ranges(std::move(ranges)) {}

    // Fills `out` unless the runs end first; answers the count read.
    IoResult<std::size_t> read(std::span<std::uint8_t> out) {
        std::size_t total = 0;
        while (total < out.size() && m_range < m_ranges.size()) {
            const Range& range = m_ranges[m_range];
            const auto wanted = static_cast<std::size_t>(
                std::min<std::uint64_t>(out.size() - total, range.end - range.begin - m_at));
            const auto read = m_file.readAt(range.begin + m_at, out.subspan(total, wanted));
            if (!read) {
                return read.error();
            }
            total += *read;
            m_at += *read;
            if (*read < wanted || range.begin + m_at == range.end) {
                ++m_range;  // the range is done, or the file ends inside it
                m_at = 0;
            }
        }
        return total;
    }

private:
    File& m_file;
    std::vector<Range> m_ranges;
    std::size_t m_range = 0;
    std::uint64_t m_at = 0;
};

// Positions where two runs of bytes differ, but for those that `listed` marks; a position that
// only one of them has differs.
IoResult<std::uint64_t> CountDifferences(ByteRuns a, ByteRuns b, const std::vector<bool>& listed) {
    constexpr std::size_t kPiece = 1 << 20;
    std::vector<std::uint8_t> pieceA(kPiece);
    std::vector<std::uint8_t> pieceB(kPiece);
    std::uint64_t count = 0;
    for (std::uint64_t at = 0;;) {
        const auto readA = a.read(pieceA);
        const auto readB = b.read(pieceB);
        if (!readA || !readB) {
            return readA ? readB.error() : readA.error();
        }
        const std::size_t both = std::min(*readA, *readB);
        const std::size_t either = std::max(*readA, *readB);
        if (either == 0) {
            return count;
        }
        for (std::size_t i = 0; i < either; ++i) {
            const bool differs = i >= both || pieceA[i] != pieceB[i];
            if (differs && !(at + i < listed.size() && listed[at + i])) {
                ++count;
            }
        }
        at += either;
    }
}

std::vector<ByteRuns::Range> PartyOf(const SavedGame& game) {
    const PartyPlace& party = game.facts().party;
    return {{party.position, party.position + party.size}};
}

IoResult<std::vector<ByteRuns::Range>> RestOf(const SavedGame& game, File& file) {
    const auto size = file.size();
    if (!size) {
        return size.error();
    }
    const PartyPlace& party = game.facts().party;
    return std::vector<ByteRuns::Range>{
        {0, party.position}, {party.position + party.size, std::max(*size, party.position)}};
}

}  // namespace

IoResult<GameDifference> DiffGames(const SavedGame& a, File& fileA, const SavedGame& b,
                                   File& fileB) {
    FieldComparer comparer(a.party(), b.party());
    comparer.compare();

    GameDifference difference;
    difference.fields = std::move(comparer.changes);
    // The fields listed all lie in the part of party.bin that the editor reads.
    std::vector<bool> listed(kPartyEntryMinimumSize);
    for (const ByteRange& range : comparer.covered) {
        std::fill_n(listed.begin() + static_cast<std::ptrdiff_t>(range.offset), range.size, true);
    }
    const auto party =
        CountDifferences(ByteRuns(fileA, PartyOf(a)), ByteRuns(fileB, PartyOf(b)), listed);
    const auto restA = RestOf(a, fileA);
    const auto restB = RestOf(b, fileB);
    if (!party || !restA || !restB) {
        return !party ? party.error() : !restA ? restA.error() : restB.error();
    }
    const auto rest = CountDifferences(ByteRuns(fileA, *restA), ByteRuns(fileB, *restB), {});
    if (!rest) {
        return rest.error();
    }
    difference.otherPartyBytes = *party;
    difference.otherFileBytes = *rest;
    return difference;
}

}  // namespace velmor::cli
