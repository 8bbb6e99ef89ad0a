#include "levels/search.h"

#include "files/fold.h"

namespace levels {

std::wstring SearchPattern(std::wstring_view text, const wchar_t* locale) {
  return L"*" + jj::LowerCase(text, locale) + L"*.j2l;*" + jj::UpperCase(text, locale) + L"*.J2L";
}

}  // namespace levels
