// Reading, renaming and deleting files of the game folder, safely. Each
// action opens the exact listed name once, without following a link where
// the system allows that, checks through that handle that it holds the
// listed entry of the game folder (a plain file, not a link, folder, device
// or FIFO, whose name in the folder equals the listed name letter for
// letter), and acts through the same handle, so that nothing can change
// between the check and the act. Anything else is refused and left alone.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace jj {

// Why an entry was left alone. The names involved are in the outcome; the
// sentences that tell the user are composed by the reports.
enum class Refusal {
  kNone,
  kForbiddenName,  // the name holds a character that a Windows file name cannot hold (others: that character)
  kUnknownFile,    // the system cannot tell which file the name is
  kLink,           // a link (others: where it leads, where the system tells)
  kSpecial,        // a FIFO, a device or another special file
  kFolder,         // a folder
  kTwinLeft,       // the listed entry is gone (others: the entry of another letter case left in its place)
  kReplaced,       // another program replaced the file while it was renamed (others: the new name)
  kTwins,          // several entries differ from the name only in letter case (others: all of them)
};

// Why a read, rename or deletion was not done.
struct FileOutcome {
  unsigned long error = 0;  // the system's error code; 0 when done or refused (ERROR_FILE_NOT_FOUND
                            // also for kTwinLeft)
  Refusal refused = Refusal::kNone;
  std::wstring name;                 // the entry refused, as listed
  std::vector<std::wstring> others;  // the other names involved, as the refusal says
  std::wstring clash;  // rename: the entry of the folder that the new name would replace
  bool done() const { return error == 0 && refused == Refusal::kNone && clash.empty(); }
};

// The character of `name` that keeps it from being one file of a folder
// (a backslash, a slash, or another character Windows does not allow in a
// file name), or 0 when there is none. A Linux folder can hold such names.
wchar_t ForbiddenChar(const std::wstring& name);

// What the panels show of a listed file.
struct FileFacts {
  std::uint64_t bytes = 0;
  std::uint64_t last_write = 0;  // FILETIME, UTC
};

// The length and time of last change of the file `name` of the folder, read
// through a checked handle.
FileOutcome ReadFacts(const std::wstring& folder, const std::wstring& name, FileFacts* facts);

// The names of every entry of the folder (any kind, also hidden) into
// `names`, in the folder's order; false when the folder cannot be read.
bool EntriesOf(const std::wstring& folder, std::vector<std::wstring>* names);

// The names of `entries` that are the same name as `name` to the file
// system (`name` itself among them where it is there), in their order.
std::vector<std::wstring> SameNames(const std::wstring& name, const std::vector<std::wstring>& entries);

// The entry of the folder (any kind, also hidden) whose name is the same
// name as `name` to the file system, other than `except`; empty when none.
std::wstring NameInFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& except);

// Renames `from` to `to` within the folder. Never replaces anything: refused
// when the folder holds `to` as the file system folds names (any entry other
// than `from`, also a link that leads nowhere).
FileOutcome RenameInFolder(const std::wstring& folder, const std::wstring& from, const std::wstring& to);

// Deletes the file `name` of the folder for good, and checks afterwards that
// this very file is gone (not another of a similar name). The name goes at
// once, also while another program holds the file, where the system deletes
// in the POSIX manner; elsewhere when the last program lets the file go.
FileOutcome DeleteInFolder(const std::wstring& folder, const std::wstring& name);

// Whether the system's answer `error` to a deletion in the POSIX manner says
// that it does not take that form at all, so that the classic deletion is
// asked instead: a Windows older than 10 (1607) and Wine do not know it, FAT
// and some network shares refuse it. Any other answer (read-only, in use)
// is the deletion's own.
bool AskClassicDeletion(unsigned long error);

// Whether a folder on a volume of these file system flags (as
// GetVolumeInformation gives them) can hold a link that its listing does not
// show and that a rename would replace: one of a Linux file system, which
// keeps permissions but no reparse points, whose links the system follows
// (one that leads nowhere is then nothing to it). A volume that keeps links
// as reparse points lists each as an entry, and one without permissions
// (FAT) holds no links.
bool LinksMayHide(unsigned long volume_flags);

}  // namespace jj
