// What a number field's up and down arrows, and the Up and Down keys, make of its number.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace velmor {

struct ArrowRange {
    std::int64_t lowest = 0;
    std::int64_t highest = 0;
    // A number below the range, down to this, is stepped by one as it stands instead of jumping
    // into the range, and Down stops here: a skill level read from the game can be below zero.
    std::int64_t lowestBelow = std::numeric_limits<std::int64_t>::max();

    friend bool operator==(const ArrowRange&, const ArrowRange&) = default;
};

// The number `steps` up (down when negative) from the field's text, held within the range and
// never wrapping; a text that is no number steps from the range's lowest. Nothing when the arrows
// cannot move that way.
std::optional<std::int64_t> Stepped(std::string_view text, int steps, const ArrowRange& range);

}  // namespace velmor
