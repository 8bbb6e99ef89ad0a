// Telling the user that something failed: the system's reason for an error
// code, the report of a failed operation (what failed, on which file, and
// why), and the exclamation box with OK that shows every such report.
#pragma once
#include <windows.h>

#include <string>

#include "files/fileops.h"
#include "ui/prompter.h"

namespace jj {

// The system's own text for an error code, without a trailing line break;
// "error N" when the system has no text for it.
std::wstring SystemMessage(unsigned long code);

// Why a file action was not done, in a few words: the refusal, or the
// system's reason.
std::wstring ReasonText(const FileOutcome& outcome);

// `what` (naming the file), an empty line, and "The system says: " with the
// system's reason.
std::wstring FailureText(const std::wstring& what, unsigned long error);

// The same for a read, rename or deletion that was not done: refused (the
// entry is not the listed plain file), blocked by another entry of the new
// name, or failed with the system's reason.
std::wstring OutcomeText(const std::wstring& what, const FileOutcome& outcome);

// The report of a failure nobody foresaw inside a command; the command
// stopped there.
std::wstring UnexpectedText(const char* what);

// Shows `text` in an exclamation box with OK owned by `owner`.
void Warn(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& text);

// Warn with FailureText and OutcomeText.
void ReportFailure(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& what,
                   unsigned long error);
void ReportOutcome(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& what,
                   const FileOutcome& outcome);

}  // namespace jj
