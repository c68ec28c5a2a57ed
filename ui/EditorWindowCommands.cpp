#include "ui/EditorWindow.h"

namespace velmor {

void EditorWindow::OnLoadGame() {}
void EditorWindow::OnSaveGame() {}
void EditorWindow::OnCloseGame() {}
void EditorWindow::ShowCharacter() {}
void EditorWindow::OnChangeFood() {}
void EditorWindow::OnChangeGold() {}
void EditorWindow::OnChangeBankGold() {}
void EditorWindow::OnChangeMight() {}
void EditorWindow::OnChangeIntellect() {}
void EditorWindow::OnChangePersonality() {}
void EditorWindow::OnChangeEndurance() {}
void EditorWindow::OnChangeAccuracy() {}
void EditorWindow::OnChangeSpeed() {}
void EditorWindow::OnChangeLuck() {}
void EditorWindow::OnChangeExperience() {}
void EditorWindow::OnChangeSkillPoints() {}
void EditorWindow::ShowSkill() {}
void EditorWindow::OnChangeSkillLevel() {}
void EditorWindow::OnNormal() {}
void EditorWindow::OnExpert() {}
void EditorWindow::OnMaster() {}
void EditorWindow::OnGrandmaster() {}
void EditorWindow::ShowSpell() {}
void EditorWindow::OnLearned() {}
void EditorWindow::OnPromoted() {}

}  // namespace velmor
