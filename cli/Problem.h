// What a command line or a changes document got wrong, in words for the person who wrote it.
#pragma once

#include <string>
#include <variant>

namespace velmor::cli {

struct Problem {
    std::string message;
};

template <typename T>
using Parsed = std::variant<T, Problem>;

}  // namespace velmor::cli
