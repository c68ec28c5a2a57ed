// Reading the number that a field shows.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace velmor {

// Digits only. More digits than 32 bits can hold read as the largest number, which is above every
// limit of the editor, so that the field's limit is stored.
std::optional<std::uint32_t> ParseUnsigned(const QString& text);

// An optional minus sign, then digits; beyond 32 bits, the largest or the smallest number.
std::optional<std::int32_t> ParseSigned(const QString& text);

}  // namespace velmor
