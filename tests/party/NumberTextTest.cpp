#include <gtest/gtest.h>

#include "party/NumberText.h"

namespace velmor {
namespace {

// Digits only, saturating beyond 32 bits so that a field's limit is stored; a minus sign only
// where a signed number is read.
TEST(NumberText, ReadsDigitsAndSaturates) {
    const std::tuple<std::string_view, std::optional<std::uint32_t>, std::optional<std::int32_t>>
        cases[] = {
            {"007", 7u, 7},
            {"4294967296", 4294967295u, 2147483647},
            {"99999999999999999999", 4294967295u, 2147483647},
            {"-56", std::nullopt, -56},
            {"-99999999999", std::nullopt, -2147483647 - 1},
            {"", std::nullopt, std::nullopt},
            {"-", std::nullopt, std::nullopt},
            {"12a", std::nullopt, std::nullopt},
            {"+5", std::nullopt, std::nullopt},
        };
    for (const auto& [text, asUnsigned, asSigned] : cases) {
        EXPECT_EQ(ParseUnsigned(text), asUnsigned) << text;
        EXPECT_EQ(ParseSigned(text), asSigned) << text;
    }
}

}  // namespace
}  // namespace velmor
