// Numbers as the player writes them, in a field or on the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmor {

// Digits only. More digits than 32 bits can hold read as the largest number, which is above every
// limit of the editor, so that the field's limit is stored.
std::optional<std::uint32_t> ParseUnsigned(std::string_view text);

// An optional minus sign, then digits; beyond 32 bits, the largest or the smallest number.
std::optional<std::int32_t> ParseSigned(std::string_view text);

}  // namespace velmor
