// The saved game's editable state as a JSON document, and changes read back from one.
//
// The document, keys in this order:
//   header                      the header text
//   party: food, slot1, slot2, gold, bankGold
//   characters: one object per character, in order:
//     index, name, infoText, class, className, promoted,
//     might, intellect, personality, endurance, speed, accuracy, luck, experience, skillPoints,
//     skills: 39 objects of index, name, mastery, level, stored
//     spells: 132 objects of index, name, learned, stored
// Texts are UTF-8. Skills and spells are identified by index; their names only help the reader.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/Edits.h"
#include "savegame/SavedGame.h"

namespace velmor::cli {

using Json = nlohmann::ordered_json;

// The document as text: objects spread over lines, each skill and spell on a line of its own.
std::string DumpGame(const SavedGame& game);

// The edits that a document of the dump's shape asks for. Only the fields present count. The
// fields the editor never writes (header, slot1, slot2, name, infoText, class, className, and a
// skill's or spell's name and stored value) may stand in the document only with the values the
// game holds; any other key is refused, so that a misspelt field is never silently ignored.
Parsed<std::vector<Edit>> EditsFromDocument(const Json& document, const SavedGame& game);

}  // namespace velmor::cli
