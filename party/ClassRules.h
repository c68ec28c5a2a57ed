// What a character's class byte means: its name, and whether it is a promoted class.
#pragma once

#include <cstdint>
#include <string>

namespace velmor {

// A promoted class has an odd index; bytes above the last class are never promoted.
bool IsPromoted(std::uint8_t classIndex);

// The class's name. A saved game can hold a byte above the last class; it is shown as
// "<unknown class N>", in the style of the game's own placeholder names, so the player sees that
// the byte is odd and can still promote or demote it.
std::string ClassName(std::uint8_t classIndex);

}  // namespace velmor
