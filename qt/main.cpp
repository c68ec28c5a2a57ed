// The editor takes one saved game on its command line and options of its own; Qt is given none of
// them: its own (-reverse, -style, -stylesheet and the like) would change the window.
#include <QApplication>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "editor/CommandLine.h"
#include "qt/EditorApp.h"
#include "savegame/FileSystem.h"

int main(int argc, char* argv[]) {
    velmor::TellOversizedWritesAsErrors();
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const velmor::CommandLine line = velmor::ReadCommandLine(arguments);
    if (line.answer) {
        (line.exitStatus == 0 ? std::cout : std::cerr) << *line.answer;
        return line.exitStatus;
    }
    int programNameOnly = std::min(argc, 1);
    QApplication application(programNameOnly, argv);
    velmor::EditorApp editor;
    editor.InitInstance(line.game);
    return 0;
}
