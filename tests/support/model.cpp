#include "tests/support/model.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace test {

bool MakeSequenceFolders(const TempFolder& dir, int count, const std::wstring& e1, const std::wstring& e2,
                         const std::wstring& nowhere) {
  return Shell(dir, L"printf outside > \"$D/outside.txt\"; i=0; while [ $i -lt " + std::to_wstring(count) +
                        L" ]; do i=$((i+1)); S=\"$D/s$i\"; mkdir \"$S\"; printf A > \"$S/A" + e1 + L"\"; "
                        L"printf a > \"$S/a" + e1 + L"\"; printf twin > \"$S/twin" + e2 + L"\"; "
                        L"ln -s twin" + e2 + L" \"$S/Twin" + e2 + L"\"; ln -s \"$D/outside.txt\" \"$S/out" + e1 +
                        L"\"; ln -s \"$D/nowhere\" \"$S/" + nowhere + L"\"; done",
               300);
}

SequenceRun StartOfSequence(const std::wstring& game, unsigned seed, const std::wstring& e1, const std::wstring& e2,
                            const std::wstring& nowhere) {
  SequenceRun run{game, std::mt19937(seed)};
  run.model = {{L"A" + e1, {"A"}}, {L"a" + e1, {"a"}}, {L"twin" + e2, {"twin"}},
               {L"Twin" + e2, {"twin", true, false, L"twin" + e2}}, {L"out" + e1, {"outside", true}}};
  run.dangling = {nowhere};
  run.protect = L"twin" + e2;
  return run;
}

bool MoveInPlace(const TempFolder& dir, int seed) {
  auto folder = [&](int n) { return dir / (L"s" + std::to_wstring(n)); };
  if (seed > 1 && !MoveFileExW((dir / L"live").c_str(), (folder(seed - 1) + L".done").c_str(), 0)) return false;
  return MoveFileExW(folder(seed).c_str(), (dir / L"live").c_str(), 0) != FALSE;
}

void RunSequences(const TempFolder& dir, int count, const char* what,
                  const std::function<std::string(unsigned seed)>& one) {
  int ran = 0, differed = 0;
  for (int seed = 1; seed <= count; ++seed) {
    if (seed > 1 && !MoveInPlace(dir, seed)) {
      ADD_FAILURE() << "cannot move the folder of seed " << seed << " in place";
      break;
    }
    std::string failure = one(static_cast<unsigned>(seed));
    ++ran;
    if (!failure.empty()) {
      ++differed;
      if (differed <= 5) ADD_FAILURE() << "seed " << seed << ": " << failure;
    }
    if (Read(dir / L"outside.txt") != "outside") {
      ADD_FAILURE() << "seed " << seed << ": the file outside the game folder changed";
      break;
    }
  }
  // Links go on the Linux side: removing them from here would remove their targets.
  Shell(dir, L"find \"$D\" -type l -delete; chmod -R u+w \"$D\"", 300);
  std::printf("random sequences of %s: %d ran, %d differed from the model\n", what, ran, differed);
  EXPECT_EQ(differed, 0);
}

}  // namespace test
