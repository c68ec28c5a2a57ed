#include "data/ArchiveBuilder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "party/ByteFields.h"

namespace velmor::test {
namespace {

// The game's layout, written here apart from the editor's own constants, so that a wrong offset in
// the editor fails the tests instead of being built into their data too.
constexpr std::size_t kLeadRecordAt = 256, kCountAt = 284, kDirectoryAt = 288, kRecordSize = 32;
constexpr std::size_t kNameSize = 16, kDataOffsetAt = 16, kDataSizeAt = 20;
constexpr std::size_t kValuesAt = 1848, kCharactersAt = 2700, kCharacterSize = 7464;
constexpr std::size_t kPartyEnd = kCharactersAt + 36 * kCharacterSize;

// A directory record: the name, zero-padded, then where the data lies and its size.
void PutRecord(std::span<std::uint8_t> record, std::string_view name, std::uint32_t dataOffset,
               std::uint32_t dataSize) {
    std::fill_n(record.begin(), kNameSize, std::uint8_t{0});
    std::copy_n(name.begin(), std::min(name.size(), kNameSize), record.begin());
    WriteU32(record, kDataOffsetAt, dataOffset);
    WriteU32(record, kDataSizeAt, dataSize);
}

}  // namespace

Bytes Noise(std::size_t size, std::uint32_t seed) {
    Bytes bytes(size);
    std::uint32_t state = seed * 2654435761u + 12345u;
    for (auto& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<std::uint8_t>(state);
    }
    return bytes;
}

RecordBuilder::RecordBuilder(std::uint32_t seed) {
    const Bytes noise = Noise(kCharacterRecordSize, seed);
    std::copy(noise.begin(), noise.end(), m_bytes.begin());
    name("Hero " + std::to_string(seed));
    infoText("A hero of the realm.");
    // The fields the editor reads hold what the game itself would write.
    classIndex(static_cast<std::uint8_t>(seed % 16));
    std::uint32_t i = 0;
    for (const PartyField* field : fields::kCharacter) {
        if (field->kind == FieldKind::number) {
            number(*field, 10 + (seed * 7 + i++ * 13) % 90);
        }
    }
    number(fields::kExperience, 1000 + seed * 4321);
    number(fields::kSkillPoints, seed % 20);
    for (std::size_t k = 0; k < kSkillCount; ++k) {
        skill(k, k % 5 == seed % 5 ? static_cast<SkillValue>(64 + k % 20) : 0);
    }
    for (std::size_t s = 0; s < kSpellCount; ++s) {
        spellByte(s, (s + seed) % 3 == 0 ? 1 : 0);
    }
}

RecordBuilder& RecordBuilder::text(const PartyField& field, std::string_view text) {
    const auto bytes = std::span(m_bytes).subspan(field.offset, field.size);
    std::copy_n(text.begin(), std::min(text.size(), bytes.size()), bytes.begin());
    if (text.size() < bytes.size()) {
        bytes[text.size()] = 0;
    }
    return *this;
}

RecordBuilder& RecordBuilder::classIndex(std::uint8_t value) {
    m_bytes.at(fields::kClass.offset) = value;
    return *this;
}

RecordBuilder& RecordBuilder::number(const PartyField& field, std::uint32_t value) {
    WriteU32(m_bytes, field.offset, value);
    return *this;
}

RecordBuilder& RecordBuilder::skill(std::size_t skill, SkillValue value) {
    WriteU16(m_bytes, fields::kSkills.offset + fields::kSkills.size * skill, value);
    return *this;
}

RecordBuilder& RecordBuilder::spellByte(std::size_t spell, std::uint8_t value) {
    m_bytes.at(fields::kSpells.offset + spell) = value;
    return *this;
}

PartyBuilder::PartyBuilder() : m_size(kPartyEnd + 1000) {
    const Bytes noise = Noise(kPartyValuesSize, 99);
    std::copy(noise.begin(), noise.end(), m_party.values.bytes().begin());
    value(fields::kFood, 100).value(fields::kGold, 2000).value(fields::kBankGold, 30000);
    for (std::size_t i = 0; i < kCharacterCount; ++i) {
        m_party.characters[i] =
            RecordBuilder(static_cast<std::uint32_t>(i)).name("Hero " + std::to_string(i)).build();
    }
}

Bytes PartyBuilder::build() const {
    Bytes bytes = Noise(std::max(m_size, kPartyEnd), 7);
    PutParty(bytes, 0, m_party);
    bytes.resize(m_size);
    return bytes;
}

void PutParty(Bytes& file, std::uint64_t dataPosition, const Party& party) {
    const auto at = [&](std::size_t offset) {
        return file.begin() + static_cast<std::ptrdiff_t>(dataPosition + offset);
    };
    std::ranges::copy(party.values.bytes(), at(kValuesAt));
    for (std::size_t i = 0; i < party.characters.size(); ++i) {
        std::ranges::copy(party.characters[i].bytes(), at(kCharactersAt + i * kCharacterSize));
    }
}

std::uint32_t ArchiveBuilder::dataOffsetOf(std::size_t index) const {
    const Entry& wanted = m_entries.at(index);
    if (wanted.raw) {
        return wanted.dataOffset;
    }
    std::size_t offset = m_entries.size() * kRecordSize + m_gap;
    for (std::size_t i = 0; i < index; ++i) {
        offset += m_entries[i].data.size();
    }
    return static_cast<std::uint32_t>(offset);
}

std::uint64_t ArchiveBuilder::dataPosition(std::size_t index) const {
    return kDirectoryAt + dataOffsetOf(index);
}

Bytes ArchiveBuilder::build() const {
    Bytes file = Noise(kDirectoryAt + m_entries.size() * kRecordSize + m_gap, 3);
    std::copy(m_signature.begin(), m_signature.end(), file.begin());
    const auto bytes = std::span(file);
    PutRecord(bytes.subspan(kLeadRecordAt, kRecordSize), m_lead, 0, 0);
    const auto count = m_count.value_or(static_cast<std::uint32_t>(m_entries.size()));
    WriteU32(bytes, kCountAt, count);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        const auto size =
            entry.raw ? entry.dataSize : static_cast<std::uint32_t>(entry.data.size());
        PutRecord(bytes.subspan(kDirectoryAt + i * kRecordSize, kRecordSize), entry.name,
                  dataOffsetOf(i), size);
    }
    for (const Entry& entry : m_entries) {
        file.insert(file.end(), entry.data.begin(), entry.data.end());
    }
    if (m_truncateTo) {
        file.resize(std::min(file.size(), *m_truncateTo));
    }
    return file;
}

std::filesystem::path ArchiveBuilder::writeTo(const std::filesystem::path& path) const {
    WriteWholeFile(path, build());
    return path;
}

ArchiveBuilder ArchiveBuilder::Standard(const PartyBuilder& party, std::string_view header) {
    Bytes headerData(100, 0);
    std::copy(header.begin(), header.end(), headerData.begin());
    return std::move(ArchiveBuilder()
                         .entry("header.bin", std::move(headerData))
                         .entry("image.pcx", Noise(5000, 11))
                         .entry("party.bin", party.build()));
}

Bytes ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace velmor::test
