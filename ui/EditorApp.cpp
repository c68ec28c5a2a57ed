#include "ui/EditorApp.h"

#include "ui/EditorWindow.h"

namespace velmor {

bool EditorApp::InitInstance() {
    EditorWindow window;
    window.exec();
    return false;
}

}  // namespace velmor
