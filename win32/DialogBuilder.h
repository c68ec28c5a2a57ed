// A dialog template of the editor's, turned into the in-memory template that Windows creates a
// dialog from (DLGTEMPLATEEX): the same controls, in the same order, in the same dialog units,
// made of Windows' own controls.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/DialogTemplate.h"

namespace velmor {

// Aligned as DialogBoxIndirectParam wants it.
using DialogBytes = std::vector<std::uint32_t>;

DialogBytes BuildDialog(const DialogTemplate& dialog);

}  // namespace velmor
