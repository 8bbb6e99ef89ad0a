// The window base class and the message loop.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/prompter.h"

namespace jj {

// The style of the three main windows: a caption, the system menu and a
// minimise box; no resizing.
inline constexpr DWORD kMainFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Base of every window: `this` is kept from WM_NCCREATE, commands and the
// close request go to their own handlers and every other message to one
// virtual handler, and no C++ exception crosses the system's code. The window
// class gets the dialog manager (DefDlgProc), so Tab, access keys, the
// default button and Esc behave as in any dialog.
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  UINT Dpi() const;
  // The font of a style in the face and size chosen for this window's program.
  HFONT Font(unsigned style) const;
  const FontChoice& Choice() const { return choice_; }
  std::wstring ItemText(int id) const;
  void SetItemText(int id, const std::wstring& text) const;

 protected:
  struct Frame {
    const wchar_t* class_name = nullptr;
    std::wstring title;
    DWORD style = 0;
    DWORD ex_style = 0;
    int client_width = 0, client_height = 0;  // twips
    HWND owner = nullptr;
    HICON big_icon = nullptr, small_icon = nullptr;
    // The tables of the windows this one opens: its font is chosen so that
    // their texts fit as well.
    std::vector<std::span<const ControlSpec>> opens = {};
  };
  // Creates the window (not yet shown), centred on its owner's screen (its
  // own without owner), then the controls of its table, some with the
  // window's own captions. A window owned by another of ours takes that
  // window's font; any other chooses its own for its table and the tables it
  // opens.
  void Create(const Frame& frame, std::span<const ControlSpec> controls, std::initializer_list<Caption> captions = {});
  // Places the window's controls and sets their fonts for the window's DPI.
  void LayOut();

  // Runs after each layout, for what the table does not hold (icons by DPI).
  virtual void OnLayout() {}
  // WM_COMMAND, split once: a click of a button (also Enter and Esc, which
  // the dialog manager sends as clicks of IDOK and IDCANCEL) goes to OnClick
  // with the button's id; what OnClick does not take, and every other
  // command, goes to OnCommand with the id and the notification code. Each
  // returns true when it handled the command.
  virtual bool OnClick(int id);
  virtual bool OnCommand(int id, int code);
  // For OnClick: runs the handler of the clicked button from the window's
  // pairs of button and handler; false when none is the button's.
  template <class W>
  static bool RunClick(W* window, int id, std::initializer_list<std::pair<int, void (W::*)()>> handlers) {
    for (const auto& [button, handler] : handlers)
      if (button == id) return (window->*handler)(), true;
    return false;
  }
  // WM_CLOSE, from the close box or Alt+F4. The window goes.
  virtual void OnClose();
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
  // The message boxes of this window (also the report of a handler stopped
  // by an exception) and the title of its reports, by default its caption.
  virtual Prompter& Boxes() { return SystemPrompter(); }
  virtual std::wstring BoxTitle() const;

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  // Reports a failure that stopped a handler.
  void OnUnexpected(const char* what);

  std::span<const ControlSpec> controls_;
  int client_width_ = 0, client_height_ = 0;
  std::shared_ptr<FontPlan> fonts_;
  FontChoice choice_;
};

// The message loop; returns the exit code of WM_QUIT.
int RunMessageLoop();

}  // namespace jj
