// Handles of the system that close themselves: a file's or a folder's
// (CloseHandle) and a search's (FindClose).
#pragma once
#include <windows.h>

namespace jj {

template <typename Closer>
class BasicHandle {
 public:
  BasicHandle() = default;
  explicit BasicHandle(HANDLE h) : h_(h) {}
  BasicHandle(const BasicHandle&) = delete;
  BasicHandle& operator=(const BasicHandle&) = delete;
  ~BasicHandle() { Close(); }
  void Close() {
    if (h_ != INVALID_HANDLE_VALUE) Closer()(h_);
    h_ = INVALID_HANDLE_VALUE;
  }
  HANDLE get() const { return h_; }
  HANDLE* put() { return &h_; }
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

struct CloseFile {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct CloseSearch {
  void operator()(HANDLE h) const { FindClose(h); }
};

using Handle = BasicHandle<CloseFile>;
using SearchHandle = BasicHandle<CloseSearch>;

}  // namespace jj
