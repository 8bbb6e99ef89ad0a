// The plain logic of Quenby: the episode catalogue, the companion-file table,
// the active-episode message and the names that activation gives a file.
// No window handles and no file system here.
#pragma once
#include <cstddef>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

#include "episodes/texts.h"

namespace episodes {

// The two endings of an episode file: active and inactive. Both are as long.
inline constexpr wchar_t kActiveExtension[] = L".j2e";
inline constexpr wchar_t kInactiveExtension[] = L".jxe";
inline constexpr std::size_t kEndingLength = std::size(kActiveExtension) - 1;
static_assert(std::size(kInactiveExtension) - 1 == kEndingLength);

// The catalogue, one row per episode: its stem in lower case (the two
// episode names are the stem with either ending), the title shown for
// either name, and its companion files (level, readme and document files),
// each entry a backslash and a file name relative to the game folder.
// The official episodes come first and have no companion files.
struct CatalogueRow {
  const wchar_t* stem;
  const wchar_t* title;
  std::span<const wchar_t* const> companions;
};
std::span<const CatalogueRow> Catalogue();  // 14 rows, in the fixed order
inline constexpr std::size_t kOfficialRows = 7;

// The patterns of the episode list (every episode) and of the active list.
std::wstring EpisodePattern();
std::wstring ActivePattern();

// The catalogue title of a listed name: the name in lower case (the user's
// locale) compared with both names of each row, as whole strings;
// kUnknownTitle when no row has it.
std::wstring EpisodeTitle(std::wstring_view name);

// Active: the name ends in kActiveExtension in any letter case.
bool IsActiveName(std::wstring_view name);

// The name that Activate or Deactivate gives a file: the name without its
// ending (its last kEndingLength characters, whatever they are), then
// `extension`.
std::wstring RenamedName(std::wstring_view name, std::wstring_view extension);

// The rows that have companion files: those after the official episodes.
std::span<const CatalogueRow> Companions();  // 7 rows, 93 entries in all

// The row of Companions() whose episode names equal `name` exactly (letter
// case counts, nothing trimmed), or null.
const CatalogueRow* CompanionsOf(std::wstring_view name);

// The game's limit of active episodes (informative only).
inline constexpr std::size_t kActiveLimit = 8;

// The active-episode message for `active` active episodes:
// "You can activate N more episodes." below the limit, otherwise
// "You need to deactivate N episodes.". Any count gives a correct number.
std::wstring CountMessage(std::size_t active);

}  // namespace episodes
