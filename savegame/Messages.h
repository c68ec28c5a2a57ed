// The texts that the load and save commands show, all captioned "Velmor".
#pragma once

#include <string_view>

namespace velmor::messages {

inline constexpr std::string_view kCannotOpenFile = "ERROR: cannot open file!";
inline constexpr std::string_view kCannotReadImage = "ERROR: cannot read image!";
inline constexpr std::string_view kInvalidFile = "ERROR: invalid or corrupt file!";
inline constexpr std::string_view kNoInformation = "ERROR: cannot find any information in file!";
inline constexpr std::string_view kNoHeaderEntry =
    "ERROR: cannot locate \"header.bin\" resource!\nattempting to continue load...";
inline constexpr std::string_view kNoImageEntry =
    "ERROR: cannot locate \"image.pcx\" resource!\nattempting to continue load...";
inline constexpr std::string_view kNoPartyEntryOnLoad =
    "ERROR: cannot locate \"party.bin\" resource!\ncannot continue without character "
    "information!!!";
inline constexpr std::string_view kNoPartyEntryOnSave =
    "ERROR: cannot locate \"party.bin\" resource!";
inline constexpr std::string_view kPartyEntryTooSmall =
    "ERROR: the \"party.bin\" resource is too small to hold the party!";
inline constexpr std::string_view kPartyEntryPastEnd =
    "ERROR: the \"party.bin\" resource reaches past the end of the file!";
// Each program adds what its user can do about it.
inline constexpr std::string_view kChangedSinceLoad =
    "ERROR: the saved game has changed since it was loaded, so it was not saved over!";
inline constexpr std::string_view kSaveQuestion = "Are you sure you want to save over this game?";
inline constexpr std::string_view kSaveSuccessful = "Save successful!";

}  // namespace velmor::messages
