#include "qt/EditorApp.h"

#include "qt/MainDialog.h"

namespace velmor {

bool EditorApp::InitInstance() {
    MainDialog window;
    window.exec();
    return false;
}

}  // namespace velmor
