// Makes the file layer fail as a failing disk would, so that tests can show what every command
// does when any one of its file operations fails. Inert until a test arms it.
#pragma once

#include <array>
#include <cstddef>

namespace velmor {

enum class FileOperation { open, read, write, flush, size, setLength, replace };
inline constexpr std::size_t kFileOperationCount = 7;

class FileFaults {
public:
    // From now on, the `nth` operation of this kind (counting from 1) fails; the counts restart.
    static void Arm(FileOperation operation, int nth);
    // No more failures; the counts restart.
    static void Disarm();
    // How many operations of this kind ran since the last Arm or Disarm.
    static int Count(FileOperation operation);

    // Called by the file layer before each operation: counts it, and answers whether it must fail.
    static bool Strike(FileOperation operation);
};

}  // namespace velmor
