// The editor takes no arguments, and Qt is given none either: its own (-reverse, -style,
// -stylesheet and the like) would change the window.
#include <QApplication>
#include <algorithm>

#include "qt/EditorApp.h"
#include "savegame/FileSystem.h"

int main(int argc, char* argv[]) {
    velmor::TellOversizedWritesAsErrors();
    int programNameOnly = std::min(argc, 1);
    QApplication application(programNameOnly, argv);
    velmor::EditorApp editor;
    editor.InitInstance();
    return 0;
}
