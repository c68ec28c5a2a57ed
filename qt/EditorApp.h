// The application: it runs the window once, and the window holds the saved game being edited.
#pragma once

namespace velmor {

class EditorApp {
public:
    // Runs the window until it ends and answers false: there is nothing more to run, and the
    // program ends with the window. Nothing is saved at the end.
    bool InitInstance();
};

}  // namespace velmor
