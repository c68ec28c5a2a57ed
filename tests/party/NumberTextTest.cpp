#include <gtest/gtest.h>

#include "party/NumberText.h"

namespace velmor {
namespace {

// Digits only, saturating beyond 32 bits so that a field's limit is stored; a minus sign only
// where a signed number is read.
TEST(NumberText, ReadsDigitsAndSaturates) {
    constexpr auto no = std::nullopt;
    // clang-format off
    const std::tuple<std::string_view, std::optional<std::uint32_t>, std::optional<std::int32_t>>
        cases[] = {
            {"007", 7u, 7},     {"4294967296", 4294967295u, 2147483647},
            {"-56", no, -56},   {"99999999999999999999", 4294967295u, 2147483647},
            {"", no, no},       {"-99999999999", no, -2147483647 - 1},
            {"-", no, no},      {"12a", no, no},    {"+5", no, no}};
    // clang-format on
    for (const auto& [text, asUnsigned, asSigned] : cases) {
        EXPECT_EQ(ParseUnsigned(text), asUnsigned) << text;
        EXPECT_EQ(ParseSigned(text), asSigned) << text;
    }
}

}  // namespace
}  // namespace velmor
