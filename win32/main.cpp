// The editor on Windows: its one window, run once, with the saved game named on the command line
// (or dropped on the program) opened once it shows. Windows' own controls of the sixth version
// draw it; nothing is saved at the end.
#include <windows.h>
// Needs the types of windows.h.
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/CommandLine.h"
#include "savegame/FileSystem.h"
#include "win32/MainWindow.h"
#include "win32/WideText.h"

namespace {

std::vector<std::string> Arguments() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> words(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(velmor::Narrow(words.get()[i]));
    }
    return arguments;
}

// To where the program was started from: its output or a console, else a message box.
void Answer(const std::string& text, bool wrong) {
    const DWORD stream = wrong ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
    HANDLE out = ::GetStdHandle(stream);
    if (!out && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        out = ::GetStdHandle(stream);
    }
    DWORD written = 0;
    if (!out ||
        !::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        ::MessageBoxW(nullptr, velmor::Widen(text).c_str(), L"Velmor",
                      wrong ? MB_ICONERROR : MB_OK);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    velmor::TellOversizedWritesAsErrors();
    const velmor::CommandLine line = velmor::ReadCommandLine(Arguments());
    if (line.answer) {
        Answer(*line.answer, line.exitStatus != 0);
        return line.exitStatus;
    }
    const INITCOMMONCONTROLSEX controls{
        sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    velmor::MainWindow window(instance);
    window.run(line.game);
    return 0;
}
