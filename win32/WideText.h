// Windows takes and gives text in UTF-16; the editor speaks UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace velmor {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace velmor
