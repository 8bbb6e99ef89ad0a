// The level browser's information panel: the size and the date and time of
// last change of a level, as the panel shows them, from the facts the file
// operations read (fileops.h).
#pragma once
#include <windows.h>

#include <string>

#include "files/fileops.h"
#include "levels/texts.h"

namespace levels {

// The text between the hours and the minutes in a time of `locale` (":" in
// English, "." in Finnish).
std::wstring TimeSeparator(const wchar_t* locale = LOCALE_NAME_USER_DEFAULT);

// "dddd, MMMM d, yyyy", a lone carriage return, "h:mm:ss tt", with the names,
// designators and time separator of `locale` ("Sunday, March 5, 2000\r3:07:09
// PM"; a Finnish time reads "3.07.09 ip.").
std::wstring DateText(const SYSTEMTIME& local, const wchar_t* locale = LOCALE_NAME_USER_DEFAULT);

// The two panel texts of one level.
struct LevelInfo {
  std::wstring size;   // size text, or jj::kSizeUnknown
  std::wstring date;   // date text in local time, or kDateUnknown
  unsigned long error; // 0, or why the file could not be read
};

// Reads the length and the time of last change of the listed file `name` of
// the folder. `refused`: why it is not the listed plain file of the folder.
LevelInfo ReadLevelInfo(const std::wstring& folder, const std::wstring& name, jj::Refusal* refused = nullptr);

}  // namespace levels
