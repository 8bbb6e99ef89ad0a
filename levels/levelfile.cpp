#include "levelfile.h"

#include "paths.h"
#include "text.h"

namespace levels {

std::wstring DateText(const SYSTEMTIME& local, const wchar_t* locale) {
  std::wstring date(128, L'\0'), time(64, L'\0');
  int d = GetDateFormatEx(locale, 0, &local, L"dddd, MMMM d, yyyy", date.data(), static_cast<int>(date.size()),
                          nullptr);
  int t = GetTimeFormatEx(locale, 0, &local, L"h:mm:ss tt", time.data(), static_cast<int>(time.size()));
  if (d <= 0 || t <= 0) return kDateUnknown;
  date.resize(static_cast<std::size_t>(d - 1));  // the counts include the terminating zero
  time.resize(static_cast<std::size_t>(t - 1));
  return date + L"\r" + time;
}

LevelInfo ReadLevelInfo(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DWORD error = GetLastError();
    return {jj::kSizeUnknown, kDateUnknown, error ? error : static_cast<unsigned long>(ERROR_FILE_NOT_FOUND)};
  }
  LevelInfo info{};
  info.size = jj::SizeText((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  SYSTEMTIME utc, local;
  if (FileTimeToSystemTime(&data.ftLastWriteTime, &utc) && SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    info.date = DateText(local);
  } else {
    info.date = kDateUnknown;
    info.error = GetLastError();
  }
  return info;
}

}  // namespace levels
