// The application: it runs the window once, and the window holds the saved game being edited.
#pragma once

#include <filesystem>
#include <optional>

namespace velmor {

class EditorApp {
public:
    // Runs the window until it ends, with `game` opened once it shows, and answers false: there is
    // nothing more to run, and the program ends with the window. Nothing is saved at the end.
    bool InitInstance(const std::optional<std::filesystem::path>& game = std::nullopt);
};

}  // namespace velmor
