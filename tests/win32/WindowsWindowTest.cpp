// The Windows window's own wiring, run under wine: its dialog is the template made of Windows'
// controls, every kind of notification reaches the editor, and what the editor writes reaches the
// controls.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "editor/ControlIds.h"
#include "savegame/Messages.h"
#include "support/ScriptedPrompts.h"
#include "win32/MainWindow.h"
#include "win32/WideText.h"

namespace velmor {
namespace {

using namespace test;

class WindowsWindowTest : public ::testing::Test {
protected:
    WindowsWindowTest() { window.create(); }

    HWND item(int id) const { return ::GetDlgItem(window.handle(), id); }
    std::string textOf(HWND control) const {
        wchar_t text[256]{};
        ::GetWindowTextW(control, text, 256);
        return Narrow(text);
    }
    void click(int id) { ::SendMessageW(item(id), BM_CLICK, 0, 0); }

    TemporaryDirectory dir;
    ScriptedPrompts prompts;
    MainWindow window{::GetModuleHandleW(nullptr), &prompts, {.picture = dir / "image.pcx"}};
};

// Each control stands where the template puts it, in dialog units, with its ID and state, and Tab
// goes through them in the template's order; an up-down control takes its place at its field's
// left, and a drop-down list's template height is its open list's.
TEST_F(WindowsWindowTest, TheDialogIsTheTemplate) {
    std::vector<HWND> tabOrder;
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        if (control.id == ids::kNone) {
            continue;
        }
        HWND made = item(control.id);
        ASSERT_NE(made, nullptr) << control.id;
        EXPECT_EQ(::IsWindowEnabled(made) != FALSE, control.enabled) << control.id;
        // As Windows places a control: its corner and its size, each in dialog units.
        RECT planned{control.x, control.y, control.width, control.height};
        ::MapDialogRect(window.handle(), &planned);
        planned.right += planned.left;
        planned.bottom += planned.top;
        RECT placed{};
        ::GetWindowRect(made, &placed);
        ::MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&placed), 2);
        const bool moves = control.kind == ControlKind::numberField ||
                           control.kind == ControlKind::spin ||
                           control.kind == ControlKind::dropDownList;
        if (!moves) {
            EXPECT_TRUE(::EqualRect(&planned, &placed)) << control.id;
        }
        if (::GetWindowLongW(made, GWL_STYLE) & WS_TABSTOP) {
            tabOrder.push_back(made);
        }
    }
    std::vector<HWND> chain{tabOrder.front()};
    for (HWND next = tabOrder.front();
         (next = ::GetNextDlgTabItem(window.handle(), next, FALSE)) != tabOrder.front();) {
        if (::IsWindowEnabled(next)) {
            chain.push_back(next);
        }
    }
    std::erase_if(tabOrder, [](HWND control) { return !::IsWindowEnabled(control); });
    EXPECT_EQ(chain, tabOrder);
}

// A click loads a game, whose texts show; a picked skill, a stepped level, a clicked mastery and a
// changed number each edit the party; Save asks and saves; Close empties the window.
TEST_F(WindowsWindowTest, EveryNotificationReachesTheEditorAndEveryWriteTheWindow) {
    const CharacterRecord hero = RecordBuilder().name("Sir \xC9tienne").skill(1, 84).build();
    const auto path = ArchiveBuilder::Standard(PartyBuilder().record(0, hero), "Storm Keep")
                          .writeTo(dir / "game.dkv");
    prompts.file = path;
    click(ids::kLoadGame);
    EXPECT_EQ(textOf(window.handle()), "Velmor Saved Game Editor (v1.5) - [Storm Keep]");
    EXPECT_EQ(textOf(item(ids::kStatusLine)), "current game: " + DisplayPath(path));
    EXPECT_EQ(window.text(ids::kCharacterList), "Sir \u00C9tienne");
    EXPECT_EQ(::GetFocus(), item(ids::kCharacterList));

    ::SendMessageW(item(ids::kSkillList), CB_SETCURSEL, 1, 0);
    ::SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(ids::kSkillList, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(item(ids::kSkillList)));
    EXPECT_EQ(textOf(item(ids::kSkillLevel)), "20");
    EXPECT_EQ(::IsDlgButtonChecked(window.handle(), ids::kExpert), BST_CHECKED);
    ::SendMessageW(item(ids::kSkillLevel), WM_KEYDOWN, VK_UP, 0);
    click(ids::kMaster);
    ::SetWindowTextW(item(ids::kMight), L"77");
    const CharacterRecord& edited = window.editor().game()->party().characters[0];
    EXPECT_EQ(edited.skill(1), 128 + 21);
    EXPECT_EQ(edited.number(fields::kMight), 77u);
    // Undo as its shortcut sends it, Redo from the system menu.
    ::SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(kUndoCommand, 1), 0);
    EXPECT_NE(edited.number(fields::kMight), 77u);
    ::SendMessageW(window.handle(), WM_SYSCOMMAND, kRedoCommand, 0);
    EXPECT_EQ(textOf(item(ids::kMight)), "77");

    prompts.answers = {MessageAnswer::yes};
    click(ids::kSaveGame);
    EXPECT_EQ(prompts.shownTexts(),
              (std::vector<std::string>{std::string(messages::kSaveQuestion),
                                        std::string(messages::kSaveSuccessful)}));
    click(ids::kCloseGame);
    EXPECT_EQ(::SendMessageW(item(ids::kCharacterList), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(textOf(item(ids::kMight)), "0");
    const auto saved = SavedGame::Open(path).game;
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->party().characters[0].number(fields::kMight), 77u);
}

// A game named on the command line opens once the window shows; a file dropped on the window opens
// too.
TEST(WindowsWindow, GamesOpenFromTheCommandLineAndByADrop) {
    TemporaryDirectory dir;
    const auto first = ArchiveBuilder::Standard(PartyBuilder(), "First").writeTo(dir / "a.dkv");
    static const auto second =
        ArchiveBuilder::Standard(PartyBuilder(), "Second").writeTo(dir / "b.dkv");
    const auto previous = std::filesystem::current_path();
    static MainWindow* running = nullptr;
    static std::string titles;
    MainWindow window(::GetModuleHandleW(nullptr));
    running = &window;
    // Once the window runs: drop the second game on it, then close it.
    ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(nullptr, timer);
        wchar_t title[128]{};
        ::GetWindowTextW(running->handle(), title, 128);
        const std::wstring name = second.wstring();
        HGLOBAL files =
            ::GlobalAlloc(GHND, sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t));
        auto* drop = static_cast<DROPFILES*>(::GlobalLock(files));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        name.copy(reinterpret_cast<wchar_t*>(drop + 1), name.size());
        ::GlobalUnlock(files);
        ::SendMessageW(running->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(files), 0);
        wchar_t dropped[128]{};
        ::GetWindowTextW(running->handle(), dropped, 128);
        titles = Narrow(title) + "; " + Narrow(dropped);
        ::SendMessageW(running->handle(), WM_COMMAND, IDCANCEL, 0);
    });
    window.run(first);
    std::filesystem::current_path(previous);
    EXPECT_EQ(titles,
              "Velmor Saved Game Editor (v1.5) - [First]; "
              "Velmor Saved Game Editor (v1.5) - [Second]");
    EXPECT_EQ(window.result(), IDCANCEL);
}

}  // namespace
}  // namespace velmor
