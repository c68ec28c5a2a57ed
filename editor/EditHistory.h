// The changes of the party since the load, to take back and make again. A change records the
// bytes it changed, before and after, and where the player made it, never a copy of the party, so
// that a long session holds little.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "party/Party.h"

namespace velmor {

// Where a change was made: the control, and the character, skill and spell picked then.
struct EditPlace {
    int control = 0;
    int character = -1;
    int skill = -1;
    int spell = -1;

    friend bool operator==(const EditPlace&, const EditPlace&) = default;
};

class EditHistory {
public:
    // Forgets every change; `party` is the party as it now stands.
    void reset(const Party& party);

    // Records what has changed since the party was last seen, made at `place`; nothing when
    // nothing has. A change that may join the last one, made at the same place (more typing in
    // the same field), becomes part of it, so that one undo takes back the whole number.
    void record(const Party& party, const EditPlace& place, bool mayJoin);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_changes.size(); }

    // Takes back the last change made, or makes again the last taken back, in `party`; answers
    // where it was made.
    std::optional<EditPlace> undo(Party& party);
    std::optional<EditPlace> redo(Party& party);

private:
    struct Change {
        std::size_t offset = 0;  // in the party's bytes: the values, then the records
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
        EditPlace place;
        bool mayJoin = false;
    };
    void apply(Party& party, std::size_t offset, const std::vector<std::uint8_t>& bytes);

    std::vector<std::uint8_t> m_seen;  // the party's bytes as last seen
    std::vector<Change> m_changes;
    std::size_t m_done = 0;  // the first m_done changes are made; the rest were taken back
};

}  // namespace velmor
