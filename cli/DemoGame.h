// A saved game of our own, to try the editor on without risking a real one.
#pragma once

#include <cstdint>
#include <vector>

namespace velmor::cli {

// A header text, a small preview picture, and 36 characters of every class with statistics,
// skills and spells worth looking at.
std::vector<std::uint8_t> DemoGame();

}  // namespace velmor::cli
