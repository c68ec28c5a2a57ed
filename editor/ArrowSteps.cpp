#include "editor/ArrowSteps.h"

#include <algorithm>

#include "party/NumberText.h"

namespace velmor {

std::optional<std::int64_t> Stepped(std::string_view text, int steps, const ArrowRange& range) {
    const auto parsed = ParseSigned(text);
    const std::int64_t value = parsed ? *parsed : range.lowest;
    const std::int64_t lowest =
        value < range.lowest ? std::min(range.lowestBelow, range.lowest) : range.lowest;
    const std::int64_t from = std::clamp(value, lowest, range.highest);
    const std::int64_t to = std::clamp(from + steps, lowest, range.highest);
    if (to == from) {
        return std::nullopt;
    }
    return to;
}

}  // namespace velmor
