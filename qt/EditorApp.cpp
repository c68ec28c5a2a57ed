#include "qt/EditorApp.h"

#include <QTimer>

#include "qt/MainDialog.h"

namespace velmor {

bool EditorApp::InitInstance(const std::optional<std::filesystem::path>& game) {
    MainDialog window;
    if (game) {
        QTimer::singleShot(0, &window, [&window, &game] { window.editor().OnOpenGame(*game); });
    }
    window.exec();
    return false;
}

}  // namespace velmor
