#include "ui/prompter.h"

namespace jj {

std::wstring BoxText(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n')) out += L'\n';
  }
  return out;
}

namespace {

class SystemBoxes : public Prompter {
 public:
  Answer Show(HWND owner, const std::wstring& text, const std::wstring& title, Icon icon,
              Buttons buttons) override {
    UINT type = buttons == Buttons::YesNo ? MB_YESNO : MB_OK;
    type |= icon == Icon::Information ? MB_ICONINFORMATION
            : icon == Icon::Exclamation ? MB_ICONEXCLAMATION
                                        : MB_ICONQUESTION;
    int pressed = MessageBoxW(owner, BoxText(text).c_str(), title.c_str(), type | MB_DEFBUTTON1);
    return pressed == IDYES ? Answer::Yes : pressed == IDNO ? Answer::No : Answer::Ok;
  }
};

}  // namespace

Prompter& SystemPrompter() {
  static SystemBoxes boxes;
  return boxes;
}

}  // namespace jj
