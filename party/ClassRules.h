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

// The class byte after a click on the Promoted box, given the box's new state: promoting adds one,
// demoting takes one away, in 8 bits. The box was set from the byte's parity, so a base class goes
// to its promoted form and back.
std::uint8_t ClassAfterPromotedClick(std::uint8_t classIndex, bool promotedNow);

}  // namespace velmor
