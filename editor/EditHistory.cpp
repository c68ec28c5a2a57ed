#include "editor/EditHistory.h"

#include <algorithm>

namespace velmor {
namespace {

// More than a player makes in a session; the oldest go first.
constexpr std::size_t kMostChanges = 10'000;

std::vector<std::uint8_t> BytesOf(const Party& party) {
    std::vector<std::uint8_t> bytes(party.values.bytes().begin(), party.values.bytes().end());
    const auto table = TableBytes(party.characters);
    bytes.insert(bytes.end(), table.begin(), table.end());
    return bytes;
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t from,
                                std::size_t to) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(from),
            bytes.begin() + static_cast<std::ptrdiff_t>(to)};
}

}  // namespace

void EditHistory::reset(const Party& party) {
    m_seen = BytesOf(party);
    m_changes.clear();
    m_done = 0;
}

void EditHistory::record(const Party& party, const EditPlace& place, bool mayJoin) {
    std::vector<std::uint8_t> now = BytesOf(party);
    if (now.size() != m_seen.size()) {
        return;  // no party seen yet
    }
    const auto first = std::mismatch(now.begin(), now.end(), m_seen.begin()).first;
    if (first == now.end()) {
        return;
    }
    const auto last = std::mismatch(now.rbegin(), now.rend(), m_seen.rbegin()).first;
    std::size_t from = static_cast<std::size_t>(first - now.begin());
    std::size_t to = now.size() - static_cast<std::size_t>(last - now.rbegin());
    m_changes.resize(m_done);
    std::vector<std::uint8_t> before = Slice(m_seen, from, to);
    if (mayJoin && m_done > 0 && m_changes.back().mayJoin && m_changes.back().place == place) {
        // The bytes before both changes: the others as seen, under the earlier change's own.
        const Change earlier = std::move(m_changes.back());
        m_changes.pop_back();
        from = std::min(from, earlier.offset);
        to = std::max(to, earlier.offset + earlier.before.size());
        before = Slice(m_seen, from, to);
        std::copy(earlier.before.begin(), earlier.before.end(),
                  before.begin() + static_cast<std::ptrdiff_t>(earlier.offset - from));
    }
    m_changes.push_back({from, std::move(before), Slice(now, from, to), place, mayJoin});
    if (m_changes.size() > kMostChanges) {
        m_changes.erase(m_changes.begin());
    }
    m_done = m_changes.size();
    m_seen = std::move(now);
}

void EditHistory::apply(Party& party, std::size_t offset, const std::vector<std::uint8_t>& bytes) {
    std::copy(bytes.begin(), bytes.end(), m_seen.begin() + static_cast<std::ptrdiff_t>(offset));
    std::span<std::uint8_t> values = party.values.bytes();
    std::span<std::uint8_t> table = TableBytes(party.characters);
    std::copy_n(m_seen.begin(), values.size(), values.begin());
    std::copy_n(m_seen.begin() + static_cast<std::ptrdiff_t>(values.size()), table.size(),
                table.begin());
}

std::optional<EditPlace> EditHistory::undo(Party& party) {
    if (!canUndo()) {
        return std::nullopt;
    }
    const Change& change = m_changes[--m_done];
    apply(party, change.offset, change.before);
    return change.place;
}

std::optional<EditPlace> EditHistory::redo(Party& party) {
    if (!canRedo()) {
        return std::nullopt;
    }
    const Change& change = m_changes[m_done++];
    apply(party, change.offset, change.after);
    return change.place;
}

}  // namespace velmor
