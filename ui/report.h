// Telling the user that something failed: the system's reason for an error
// code, the report of a failed operation (what failed, on which file, and
// why), and the exclamation box with OK that shows every such report.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "files/fileops.h"
#include "ui/prompter.h"

namespace jj {

// The system's own text for an error code, without a trailing line break,
// every insert of it ("%1 is not a valid application") filled with `file`,
// the file the failure is about; "error N" when the system has no text for it.
std::wstring SystemMessage(unsigned long code, const std::wstring& file = {});

// `text` with each "%1" to "%9" in it replaced by that insert (an insert is
// taken as it is, also where it holds "%1" itself).
std::wstring Filled(std::wstring_view text, std::initializer_list<std::wstring_view> inserts);

// Why a name that holds `c` (as ForbiddenChar gives it) names no file of
// the game folder.
std::wstring ForbiddenNameText(wchar_t c);

// Why the entry was left alone (whole sentences); empty when it was not
// refused.
std::wstring RefusalText(const FileOutcome& outcome);

// Why a file action on `file` was not done, in a few words: the refusal, or
// the system's reason.
std::wstring ReasonText(const FileOutcome& outcome, const std::wstring& file);

// `what` (naming the file), an empty line, and "The system says: " with the
// system's reason about `file`.
std::wstring FailureText(const std::wstring& what, unsigned long error, const std::wstring& file);

// The same for a rename or deletion of `file` that was not done: refused (the
// entry is not the listed plain file), blocked by another entry of the new
// name, or failed with the system's reason.
std::wstring OutcomeText(const std::wstring& what, const FileOutcome& outcome, const std::wstring& file);

// The program folder of `program_folders` that holds `folder` or is `folder`
// itself, or empty when none does. Whole path components are compared, with
// letters as the file system folds them; a "\\?\" prefix and trailing
// backslashes do not count.
std::wstring ProgramFolderOf(const std::wstring& folder, const std::vector<std::wstring>& program_folders);

// The system's folders of installed programs ("Program Files" and, on 64-bit
// Windows, "Program Files (x86)"), as the system reports them.
std::vector<std::wstring> ProgramFolders();

// Windows lets only programs that run as administrator change the files in
// its program folders. For a change in `folder` refused with `error` for lack
// of access, where `folder` lies in one of those: two paragraphs (each after
// an empty line) that say so and what the player can do, `program` being the
// program to start as administrator. Empty in every other case.
std::wstring ProtectedFolderAdvice(const std::wstring& folder, unsigned long error, const std::wstring& program);

// The report of a failure nobody foresaw inside a command; the command
// stopped there.
std::wstring UnexpectedText(const char* what);

// Shows `text` in an exclamation box with OK owned by `owner`.
void Warn(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& text);

// Warn with FailureText, and with OutcomeText and the advice for a refused
// change in a program folder (`title` is the program's name).
void ReportFailure(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& what,
                   unsigned long error, const std::wstring& file);
void ReportOutcome(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& what,
                   const FileOutcome& outcome, const std::wstring& file);

}  // namespace jj
