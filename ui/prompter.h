// Message boxes, behind a seam so that tests can answer them.
#pragma once
#include <windows.h>

#include <string>

namespace jj {

enum class Icon { Information, Exclamation, Question };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows a modal box owned by `owner`, the first button the default, and
  // returns the button pressed. Lines in `text` are joined by lone carriage returns.
  virtual Answer Show(HWND owner, const std::wstring& text, const std::wstring& title, Icon icon,
                      Buttons buttons) = 0;
};

// The real one: MessageBoxW.
Prompter& SystemPrompter();

// Line break inside a message box text: a lone carriage return.
inline constexpr wchar_t CR[] = L"\r";

// The text MessageBoxW is given: every lone carriage return becomes CR LF,
// which every system draws as one line break.
std::wstring BoxText(const std::wstring& text);

}  // namespace jj
