// The application: it owns the saved game being edited and runs the window once.
#pragma once

#include "savegame/GameSession.h"

namespace velmor {

class EditorApp {
public:
    // Runs the window until it ends and answers false: there is nothing more to run, and the
    // program ends with the window. Nothing is saved at the end.
    bool InitInstance();

private:
    GameSession m_session;
};

}  // namespace velmor
