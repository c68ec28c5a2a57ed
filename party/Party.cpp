#include "party/Party.h"

#include <cassert>
#include <type_traits>

#include "party/ByteFields.h"

namespace velmor {
namespace {

// A record is its bytes and nothing else, so the table is the file's block as it stands.
static_assert(sizeof(CharacterTable) == kCharacterCount * kCharacterRecordSize);
static_assert(std::is_trivially_copyable_v<CharacterTable>);

}  // namespace

std::uint32_t PartyValues::number(const PartyField& field) const {
    assert(field.owner == FieldOwner::party);
    return ReadU32(m_bytes, field.offset);
}

void PartyValues::setNumber(const PartyField& field, std::uint32_t value) {
    assert(field.owner == FieldOwner::party);
    WriteU32(m_bytes, field.offset, value);
}

std::span<std::uint8_t> TableBytes(CharacterTable& table) {
    return {reinterpret_cast<std::uint8_t*>(table.data()), sizeof(CharacterTable)};
}

std::span<const std::uint8_t> TableBytes(const CharacterTable& table) {
    return {reinterpret_cast<const std::uint8_t*>(table.data()), sizeof(CharacterTable)};
}

}  // namespace velmor
