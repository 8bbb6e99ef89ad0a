// The plain logic of Quenby: the episode catalogue, the companion-file table,
// the active-episode message and the names that activation gives a file.
// No window handles and no file system here.
#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace episodes {

// The catalogue: two episode names in lower case (".j2e" and ".jxe") and the
// title shown for either. Rows 1 to 7 are the official episodes.
struct CatalogueRow {
  const wchar_t* active;
  const wchar_t* inactive;
  const wchar_t* title;
};
std::span<const CatalogueRow> Catalogue();  // 14 rows, in the fixed order

inline constexpr wchar_t kUnknownTitle[] = L"(episode title unknown)";

// The catalogue title of a listed name: the name in lower case (the user's
// locale) compared with
// both names of each row, as whole strings; kUnknownTitle when no row has it.
std::wstring EpisodeTitle(std::wstring_view name);

// Active: the last four characters are ".j2e" in any letter case.
bool IsActiveName(std::wstring_view name);

inline constexpr wchar_t kActiveExtension[] = L".j2e";
inline constexpr wchar_t kInactiveExtension[] = L".jxe";

// The name that Activate or Deactivate gives a file: the name without its
// last four characters (whatever they are), then `extension`.
std::wstring RenamedName(std::wstring_view name, std::wstring_view extension);

// The companion-file table: an episode's level, readme and document files,
// each entry a backslash and a file name relative to the game folder.
struct CompanionRow {
  const wchar_t* base;  // matches base + ".j2e" and base + ".jxe"
  std::span<const wchar_t* const> entries;
};
std::span<const CompanionRow> Companions();  // 7 rows, 93 entries in all

// The row whose episode names equal `name` exactly (letter case counts,
// nothing trimmed), or null.
const CompanionRow* CompanionsOf(std::wstring_view name);

// The game's limit of active episodes (informative only).
inline constexpr std::size_t kActiveLimit = 8;

// The active-episode message for `active` active episodes:
// "You can activate N more episodes." below the limit, otherwise
// "You need to deactivate N episodes.". Any count gives a correct number.
std::wstring CountMessage(std::size_t active);

}  // namespace episodes
