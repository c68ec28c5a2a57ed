#include <gtest/gtest.h>

#include "party/Windows1252.h"

namespace velmor {
namespace {

TEST(Windows1252, EachByteBecomesItsCharacter) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Sir Roland", "Sir Roland"},
        {"\xE9lise", "\xC3\xA9lise"},  // é, as in Latin-1
        {"\x80", "\xE2\x82\xAC"},      // the euro sign, where Latin-1 has a control
        {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"\x9F", "\xC5\xB8"},  // Ÿ, the last of the differing range
        {"\x81", "\xC2\x81"},  // undefined: the control of that number
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {"", ""},
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(Windows1252ToUtf8(bytes), utf8);
    }
}

}  // namespace
}  // namespace velmor
