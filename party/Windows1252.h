// The saved game keeps its texts in the Western Windows code page; the window shows Unicode.
#pragma once

#include <string>
#include <string_view>

namespace velmor {

// Each byte becomes its Unicode character, encoded as UTF-8. The five bytes that the code page
// leaves undefined become the control characters of the same number, as Windows maps them.
std::string Windows1252ToUtf8(std::string_view text);

}  // namespace velmor
