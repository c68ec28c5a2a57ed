// The editor takes no arguments of its own; those that Qt knows are Qt's, the rest are ignored.
#include <QApplication>

#include "savegame/FileSystem.h"
#include "ui/EditorApp.h"

int main(int argc, char* argv[]) {
    velmor::TellOversizedWritesAsErrors();
    QApplication application(argc, argv);
    velmor::EditorApp editor;
    editor.InitInstance();
    return 0;
}
