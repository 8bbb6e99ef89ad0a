#include "files/fileops.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "files/fold.h"
#include "files/handle.h"
#include "files/links.h"
#include "files/paths.h"

namespace jj {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The deletion in the POSIX manner (Windows 10 1607 on; older systems refuse
// the class): FileDispositionInfoEx, and its flags for delete + POSIX.
constexpr auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
constexpr DWORD kDeletePosix = 0x1 | 0x2;
// The entry itself: a link is not followed where the system can open it as
// itself (Wine follows a Unix link all the same; the final path shows it).
constexpr DWORD kEntryItself = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;

std::wstring ExactPath(const std::wstring& folder, const std::wstring& name) {
  return Exact(InFolder(folder, name));
}

// The system's own full name of what the handle holds, without a trailing
// backslash; empty when it cannot tell.
std::wstring FinalPath(HANDLE h) {
  std::wstring out(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, out.data(), static_cast<DWORD>(out.size()), FILE_NAME_NORMALIZED);
  if (n >= out.size()) {
    out.resize(n + 1);
    n = GetFinalPathNameByHandleW(h, out.data(), static_cast<DWORD>(out.size()), FILE_NAME_NORMALIZED);
  }
  out.resize(n < out.size() ? n : 0);
  while (!out.empty() && out.back() == L'\\') out.pop_back();
  return out;
}

// The same, or where the system cannot give it (Wine, for a path past
// MAX_PATH on some drives), the path within the volume after the volume's
// serial number. Two handles hold the same entry when their names agree.
std::wstring VolumePath(HANDLE h) {
  std::wstring out;
  BY_HANDLE_FILE_INFORMATION info{};
  std::vector<unsigned char> buffer(sizeof(FILE_NAME_INFO) + 32768 * sizeof(wchar_t));
  auto* name = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
  if (!GetFileInformationByHandle(h, &info) ||
      !GetFileInformationByHandleEx(h, FileNameInfo, name, static_cast<DWORD>(buffer.size())))
    return {};
  out = L"volume " + std::to_wstring(info.dwVolumeSerialNumber) + L":" +
        std::wstring(name->FileName, name->FileNameLength / sizeof(wchar_t));
  while (!out.empty() && out.back() == L'\\') out.pop_back();
  return out;
}

std::wstring HandlePath(HANDLE h) {
  std::wstring out = FinalPath(h);
  return out.empty() ? VolumePath(h) : out;
}

// The system's own full name of the folder (after any links on the way), in
// the form that HandlePath gives for its entries: `like` is one of them.
std::wstring FolderPath(const std::wstring& folder, const std::wstring& like) {
  Handle h(CreateFileW(Exact(folder).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.ok()) return {};
  std::wstring out = HandlePath(h.get());
  if (like.rfind(L"volume ", 0) == 0 && out.rfind(L"volume ", 0) != 0) {
    out = VolumePath(h.get());  // only the entry's path is past what the system can give in full
  }
  return out;
}

// A full path as the user knows it: without the "\\?\" prefix.
std::wstring Shown(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

// A refusal of the entry `name`.
FileOutcome Refused(Refusal why, const std::wstring& name, std::vector<std::wstring> others = {}) {
  FileOutcome r;
  r.refused = why;
  r.name = name;
  r.others = std::move(others);
  return r;
}

// Why the handle opened for `name` holds another entry than the listed one:
// `final` is the system's full name of what it holds.
FileOutcome Elsewhere(const std::wstring& folder, const std::wstring& name, const std::wstring& base,
                      const std::wstring& final) {
  std::size_t slash = final.find_last_of(L'\\');
  std::wstring parent = slash == std::wstring::npos ? std::wstring() : final.substr(0, slash);
  std::wstring other = final.substr(slash == std::wstring::npos ? 0 : slash + 1);
  if (parent == base && FoldCase(other) == FoldCase(name)) {
    std::vector<std::wstring> entries;
    EntriesOf(folder, &entries);  // none where the folder cannot be read
    if (std::find(entries.begin(), entries.end(), name) == entries.end()) {
      // A case-sensitive folder: the listed entry went, a twin is still there.
      FileOutcome r = Refused(Refusal::kTwinLeft, name, {other});
      r.error = ERROR_FILE_NOT_FOUND;
      return r;
    }
  }
  return Refused(Refusal::kLink, name, {Shown(final)});
}

// Opens the exact listed name once and checks through the handle that it
// holds the listed plain file of the folder. `*final` is its full name.
FileOutcome OpenChecked(const std::wstring& folder, const std::wstring& name, DWORD access, Handle* out,
                        std::wstring* final = nullptr) {
  if (wchar_t c = ForbiddenChar(name)) return Refused(Refusal::kForbiddenName, name, {std::wstring(1, c)});
  *out->put() = CreateFileW(ExactPath(folder, name).c_str(), access | FILE_READ_ATTRIBUTES | SYNCHRONIZE, kShareAll,
                            nullptr, OPEN_EXISTING, kEntryItself, nullptr);
  FileOutcome r;
  if (!out->ok()) {
    r.error = GetLastError();
    return r;
  }
  std::wstring path = HandlePath(out->get());
  std::wstring base = path.empty() ? std::wstring() : FolderPath(folder, path);
  if (path.empty() || base.empty()) return Refused(Refusal::kUnknownFile, name);
  if (path != base + L"\\" + name) return Elsewhere(folder, name, base, path);
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(out->get(), FileAttributeTagInfo, &tag, sizeof tag)) {
    r.error = GetLastError();
  } else if (GetFileType(out->get()) != FILE_TYPE_DISK) {
    r = Refused(Refusal::kSpecial, name);
  } else if (LeadsElsewhere(tag.FileAttributes, tag.ReparseTag)) {
    r = Refused(Refusal::kLink, name);
  } else if (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    r = Refused(Refusal::kFolder, name);
  }
  if (final) *final = path;
  return r;
}

// Marks the handle's file for deletion: in the POSIX manner where the system
// takes it, so that the name goes as soon as this handle closes, also while
// another program (a virus scanner, an indexer, a preview) holds the file;
// otherwise in the classic manner, in which the name stays until the last
// handle closes. 0 or the system's error.
unsigned long MarkDeleted(HANDLE h) {
  DWORD posix = kDeletePosix;
  if (SetFileInformationByHandle(h, kFileDispositionInfoEx, &posix, sizeof posix)) return 0;
  unsigned long error = GetLastError();
  if (!AskClassicDeletion(error)) return error;
  FILE_DISPOSITION_INFO classic{TRUE};
  return SetFileInformationByHandle(h, FileDispositionInfo, &classic, sizeof classic) ? 0 : GetLastError();
}

// A rename that would replace the folder's entry `clash`.
FileOutcome Clash(const std::wstring& clash) {
  FileOutcome r;
  r.error = ERROR_ALREADY_EXISTS;
  r.clash = clash;
  return r;
}

// A rename to `to` that failed with the system's `error`: a clash where the
// name is taken.
FileOutcome Failed(unsigned long error, const std::wstring& to) {
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return Clash(to);
  FileOutcome r;
  r.error = error;
  return r;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace

bool AskClassicDeletion(unsigned long error) {
  return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
}

bool LinksMayHide(unsigned long volume_flags) {
  return !(volume_flags & FILE_SUPPORTS_REPARSE_POINTS) && (volume_flags & FILE_PERSISTENT_ACLS);
}

wchar_t ForbiddenChar(const std::wstring& name) {
  for (wchar_t c : name) {
    if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return c;
  }
  return 0;
}

FileOutcome ReadFacts(const std::wstring& folder, const std::wstring& name, FileFacts* facts) {
  Handle f;
  FileOutcome r = OpenChecked(folder, name, 0, &f);
  if (!r.done()) return r;
  FILE_STANDARD_INFO standard{};
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandleEx(f.get(), FileStandardInfo, &standard, sizeof standard) ||
      !GetFileInformationByHandleEx(f.get(), FileBasicInfo, &basic, sizeof basic)) {
    r.error = GetLastError();
    return r;
  }
  facts->bytes = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
  facts->last_write = static_cast<std::uint64_t>(basic.LastWriteTime.QuadPart);
  return r;
}

bool EntriesOf(const std::wstring& folder, std::vector<std::wstring>* names) {
  names->clear();
  WIN32_FIND_DATAW data;
  SearchHandle find(FindFirstFileExW(ExactPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find.ok()) return false;
  do {
    std::wstring_view entry = data.cFileName;
    if (entry != L"." && entry != L"..") names->emplace_back(entry);
  } while (FindNextFileW(find.get(), &data));
  return true;
}

std::vector<std::wstring> SameNames(const std::wstring& name, const std::vector<std::wstring>& entries) {
  const std::wstring key = FoldCase(name);
  std::vector<std::wstring> found;
  for (const std::wstring& entry : entries)
    if (FoldCase(entry) == key) found.push_back(entry);
  return found;
}

std::wstring NameInFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& except) {
  std::vector<std::wstring> entries;
  EntriesOf(folder, &entries);
  for (const std::wstring& entry : SameNames(name, entries))
    if (entry != except) return entry;
  return {};
}

FileOutcome RenameInFolder(const std::wstring& folder, const std::wstring& from, const std::wstring& to) {
  if (wchar_t c = ForbiddenChar(to)) return Refused(Refusal::kForbiddenName, to, {std::wstring(1, c)});
  Handle f;
  std::wstring final;
  FileOutcome r = OpenChecked(folder, from, DELETE, &f, &final);
  if (!r.done()) return r;
  // The checks of the new name, in this order. The listing names any entry
  // that holds it, as the file system folds names (Windows' own check would
  // miss some, such as a final sigma beside a capital one). On Windows the
  // rename itself then refuses, in one step with the act, whatever came to
  // the name since. Where a link may hide (a Linux folder under Wine) the
  // name is made anew for an instant first: neither the listing nor Wine's
  // rename sees a link there that leads nowhere. Wine renames by the name,
  // so the check afterwards tells whether this very file was renamed.
  if (std::wstring clash = NameInFolder(folder, to, from); !clash.empty()) return Clash(clash);
  std::wstring target = ExactPath(folder, to);
  DWORD volume = 0;
  if (FoldCase(to) != FoldCase(from) &&
      (!GetVolumeInformationByHandleW(f.get(), nullptr, 0, nullptr, nullptr, &volume, nullptr, 0) ||
       LinksMayHide(volume))) {
    // Making the name never follows a link. Nowhere else is it made: another
    // program that looked at it in that instant would keep it from going.
    Handle probe(CreateFileW(target.c_str(), DELETE | SYNCHRONIZE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!probe.ok()) return Failed(GetLastError(), to);
  }
  // The new name as the system's own path ("\??\"), never relative.
  std::wstring nt = L"\\??\\" + target.substr(4);
  std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nt.size() * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(nt.size() * sizeof(wchar_t));
  nt.copy(info->FileName, nt.size());
  if (!SetFileInformationByHandle(f.get(), FileRenameInfo, info, static_cast<DWORD>(buffer.size())))
    return Failed(GetLastError(), to);
  // The check afterwards: Wine renames by the name, so another program that
  // put something else there in the meantime (which Windows cannot) has had
  // that renamed instead. It is never followed out of the folder.
  Handle again;
  *again.put() = CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, kEntryItself,
                             nullptr);
  BY_HANDLE_FILE_INFORMATION mine{}, there{};
  std::wstring expected = final.substr(0, final.size() - from.size()) + to;
  if (!again.ok() || HandlePath(again.get()) != expected ||
      !GetFileInformationByHandle(f.get(), &mine) || !GetFileInformationByHandle(again.get(), &there) ||
      !SameFile(mine, there)) {
    r = Refused(Refusal::kReplaced, from, {to});
  }
  return r;
}

FileOutcome DeleteInFolder(const std::wstring& folder, const std::wstring& name) {
  Handle f;
  std::wstring final;
  FileOutcome r = OpenChecked(folder, name, DELETE, &f, &final);
  if (!r.done()) return r;
  BY_HANDLE_FILE_INFORMATION before{};
  GetFileInformationByHandle(f.get(), &before);
  if ((r.error = MarkDeleted(f.get()))) return r;
  f.Close();
  // The check afterwards looks for this very file only: Wine reports success
  // where the folder does not let it remove the name (no write permission,
  // the Linux immutable flag). A twin of another letter case, or a new file
  // of the name, is another file. A file whose deletion waits until another
  // program closes it cannot be opened any more and counts as gone.
  Handle again;
  *again.put() = CreateFileW(ExactPath(folder, name).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             kEntryItself, nullptr);
  if (again.ok()) {
    BY_HANDLE_FILE_INFORMATION after{};
    if (HandlePath(again.get()) == final && GetFileInformationByHandle(again.get(), &after) && SameFile(before, after))
      r.error = ERROR_ACCESS_DENIED;
  }
  return r;
}

}  // namespace jj
