// Changes to the party by field, made by the editor's own rules.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/Fields.h"
#include "party/Party.h"

namespace velmor::cli {

struct Edit {
    Field field;
    Value value;
};

struct Change {
    std::string path;
    std::string before;
    std::string after;
};

struct EditReport {
    std::vector<Change> changes;
    std::vector<std::string> warnings;  // values stored at their limit rather than as asked
};

// "FIELD=VALUE", as the set command takes it: "characters.0.skills.12=Expert:10".
Parsed<Edit> ParseAssignment(std::string_view assignment);

// Applies the edit to the party. A value equal to the one the field holds changes nothing, so that
// a document written by "dump" applies without changing a byte, even for values the editor would
// cap. A level below zero can only be kept, never asked for.
std::optional<Problem> ApplyEdit(Party& party, const Edit& edit, EditReport& report);

}  // namespace velmor::cli
