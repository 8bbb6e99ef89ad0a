#include "files/fileops.h"

#include <windows.h>

#include <vector>

#include "files/fold.h"
#include "files/paths.h"

namespace jj {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
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
  HANDLE h = CreateFileW(Exact(folder).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::wstring out = HandlePath(h);
  if (like.rfind(L"volume ", 0) == 0 && out.rfind(L"volume ", 0) != 0) {
    out = VolumePath(h);  // only the entry's path is past what the system can give in full
  }
  CloseHandle(h);
  return out;
}

// A full path as the user knows it: without the "\\?\" prefix.
std::wstring Shown(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

// Whether the folder holds an entry of exactly this name, letter for letter.
bool HoldsExactly(const std::wstring& folder, const std::wstring& name) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(ExactPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  do found = name == data.cFileName;
  while (!found && FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

std::wstring NotPlain(const std::wstring& name, const std::wstring& what) {
  return L"\"" + name + L"\" is not a plain file: it is " + what + L". Nothing was changed.";
}

// Why the handle opened for `name` holds another entry than the listed one:
// `final` is the system's full name of what it holds. `*gone`: the listed
// entry is gone.
std::wstring Elsewhere(const std::wstring& folder, const std::wstring& name, const std::wstring& base,
                       const std::wstring& final, bool* gone) {
  std::size_t slash = final.find_last_of(L'\\');
  std::wstring parent = slash == std::wstring::npos ? std::wstring() : final.substr(0, slash);
  std::wstring other = final.substr(slash == std::wstring::npos ? 0 : slash + 1);
  if (parent == base && FoldCase(other) == FoldCase(name) && !HoldsExactly(folder, name)) {
    // A case-sensitive folder: the listed entry went, a twin is still there.
    *gone = true;
    return L"The game folder no longer holds \"" + name + L"\". It holds \"" + other +
           L"\", which differs only in letter case and is another file; it was left as it is.";
  }
  return NotPlain(name, L"a link to \"" + Shown(final) + L"\"");
}

class Handle {
 public:
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  void Close() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }
  HANDLE get() const { return h_; }
  HANDLE* put() { return &h_; }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

// Opens the exact listed name once and checks through the handle that it
// holds the listed plain file of the folder. `*final` is its full name.
FileOutcome OpenChecked(const std::wstring& folder, const std::wstring& name, DWORD access, Handle* out,
                        std::wstring* final = nullptr) {
  FileOutcome r;
  if (wchar_t c = ForbiddenChar(name)) {
    r.refused = ForbiddenNameText(c) + L" Nothing was changed.";
    return r;
  }
  *out->put() = CreateFileW(ExactPath(folder, name).c_str(), access | FILE_READ_ATTRIBUTES | SYNCHRONIZE, kShareAll,
                            nullptr, OPEN_EXISTING, kEntryItself, nullptr);
  if (out->get() == INVALID_HANDLE_VALUE) {
    r.error = GetLastError();
    return r;
  }
  std::wstring path = HandlePath(out->get());
  std::wstring base = path.empty() ? std::wstring() : FolderPath(folder, path);
  if (path.empty() || base.empty()) {
    r.refused = L"The system cannot tell which file \"" + name + L"\" is. Nothing was changed.";
    return r;
  }
  if (path != base + L"\\" + name) {
    bool gone = false;
    r.refused = Elsewhere(folder, name, base, path, &gone);
    if (gone) r.error = ERROR_FILE_NOT_FOUND;
    return r;
  }
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(out->get(), FileAttributeTagInfo, &tag, sizeof tag)) {
    r.error = GetLastError();
  } else if (GetFileType(out->get()) != FILE_TYPE_DISK) {
    r.refused = NotPlain(name, L"a FIFO, a device or another special file");
  } else if (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    r.refused = NotPlain(name, L"a link");
  } else if (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    r.refused = NotPlain(name, L"a folder");
  }
  if (final) *final = path;
  return r;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace

wchar_t ForbiddenChar(const std::wstring& name) {
  for (wchar_t c : name) {
    if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return c;
  }
  return 0;
}

std::wstring ForbiddenNameText(wchar_t c) {
  std::wstring code = L"U+0000";
  for (int i = 5, v = c; i >= 2; --i, v >>= 4) code[static_cast<std::size_t>(i)] = L"0123456789ABCDEF"[v & 15];
  std::wstring shown = c < 32 ? L"the control character " + code : L"\"" + std::wstring(1, c) + L"\"";
  return L"The name holds " + shown +
         L", which a Windows file name cannot hold, so it does not name one file of the game folder.";
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

std::wstring NameInFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& except) {
  const std::wstring key = FoldCase(name);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(ExactPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return {};
  std::wstring found;
  do {
    if (except != data.cFileName && FoldCase(data.cFileName) == key) {
      found = data.cFileName;
      break;
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

FileOutcome RenameInFolder(const std::wstring& folder, const std::wstring& from, const std::wstring& to) {
  FileOutcome r;
  if (wchar_t c = ForbiddenChar(to)) {
    r.refused = ForbiddenNameText(c) + L" Nothing was changed.";
    return r;
  }
  Handle f;
  std::wstring final;
  r = OpenChecked(folder, from, DELETE, &f, &final);
  if (!r.done()) return r;
  // Any entry of the new name, as the file system folds names (Windows'
  // own check would miss some, such as a final sigma beside a capital one).
  r.clash = NameInFolder(folder, to, from);
  if (!r.clash.empty()) {
    r.error = ERROR_ALREADY_EXISTS;
    return r;
  }
  std::wstring target = ExactPath(folder, to);
  if (FoldCase(to) != FoldCase(from)) {
    // A link that leads nowhere is not listed, and a rename would replace
    // it: creating the name anew tells, as it never follows a link.
    HANDLE probe = CreateFileW(target.c_str(), DELETE | SYNCHRONIZE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
      r.error = GetLastError();
      if (r.error == ERROR_FILE_EXISTS || r.error == ERROR_ALREADY_EXISTS) {
        r.error = ERROR_ALREADY_EXISTS;
        r.clash = to;
      }
      return r;
    }
    CloseHandle(probe);
  }
  // The new name as the system's own path ("\??\"), never relative.
  std::wstring nt = L"\\??\\" + target.substr(4);
  std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nt.size() * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(nt.size() * sizeof(wchar_t));
  nt.copy(info->FileName, nt.size());
  if (!SetFileInformationByHandle(f.get(), FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) {
    r.error = GetLastError();
    if (r.error == ERROR_FILE_EXISTS || r.error == ERROR_ALREADY_EXISTS) {
      r.error = ERROR_ALREADY_EXISTS;
      r.clash = to;
    }
    return r;
  }
  // The check afterwards: Wine renames by the name, so another program that
  // put something else there in the meantime (which Windows cannot) has had
  // that renamed instead. It is never followed out of the folder.
  Handle again;
  *again.put() = CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, kEntryItself,
                             nullptr);
  BY_HANDLE_FILE_INFORMATION mine{}, there{};
  std::wstring expected = final.substr(0, final.size() - from.size()) + to;
  if (again.get() == INVALID_HANDLE_VALUE || HandlePath(again.get()) != expected ||
      !GetFileInformationByHandle(f.get(), &mine) || !GetFileInformationByHandle(again.get(), &there) ||
      !SameFile(mine, there)) {
    r.refused = L"Another program replaced \"" + from + L"\" while it was being renamed, so \"" + to +
                L"\" is not the listed file now.";
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
  FILE_DISPOSITION_INFO disposition{TRUE};
  if (!SetFileInformationByHandle(f.get(), FileDispositionInfo, &disposition, sizeof disposition)) {
    r.error = GetLastError();
    return r;
  }
  f.Close();
  // The check afterwards looks for this very file only: Wine reports success
  // where the folder does not let it remove the name (no write permission,
  // the Linux immutable flag). A twin of another letter case, or a new file
  // of the name, is another file. A file whose deletion waits until another
  // program closes it cannot be opened any more and counts as gone.
  Handle again;
  *again.put() = CreateFileW(ExactPath(folder, name).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             kEntryItself, nullptr);
  if (again.get() != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION after{};
    if (HandlePath(again.get()) == final && GetFileInformationByHandle(again.get(), &after) && SameFile(before, after))
      r.error = ERROR_ACCESS_DENIED;
  }
  return r;
}

}  // namespace jj
