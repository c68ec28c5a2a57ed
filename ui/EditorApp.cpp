#include "ui/EditorApp.h"

#include "ui/EditorWindow.h"

namespace velmor {

bool EditorApp::InitInstance() {
    EditorWindow window(m_session);
    window.exec();
    return false;
}

}  // namespace velmor
