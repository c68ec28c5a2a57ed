#include "party/NumberText.h"

#include <algorithm>
#include <limits>

namespace velmor {
namespace {

// The magnitude of a run of digits, stopping at `ceiling`; nothing when the text holds anything
// but digits or holds none.
std::optional<std::uint64_t> Magnitude(std::string_view digits, std::uint64_t ceiling) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = std::min(value * 10 + static_cast<std::uint64_t>(c - '0'), ceiling);
    }
    return value;
}

}  // namespace

std::optional<std::uint32_t> ParseUnsigned(std::string_view text) {
    const auto value = Magnitude(text, std::numeric_limits<std::uint32_t>::max());
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

std::optional<std::int32_t> ParseSigned(std::string_view text) {
    const bool negative = text.starts_with('-');
    const std::uint64_t ceiling = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    const auto value = Magnitude(text.substr(negative ? 1 : 0), ceiling);
    if (!value) {
        return std::nullopt;
    }
    const auto magnitude = static_cast<std::int64_t>(*value);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace velmor
