// Quenby's main window: the controls as created, the list and the
// information panel filled by picks, and a game folder that cannot be read.
#include "tests/episodes/quenby_window.h"

TEST_F(Quenby, StartsCentredListingTheEpisodesWithTheCountAndNothingSelected) {
  for (const wchar_t* n : {L"c.jxe", L"B.J2E", L"a.j2e", L"x.txt", L"d.j2l", L"e.jxek", L"f.J2EX"}) dir.Touch(n);
  dir.TouchWith(L"hidden.j2e", FILE_ATTRIBUTE_HIDDEN);
  dir.TouchWith(L"system.j2e", FILE_ATTRIBUTE_SYSTEM);
  dir.TouchWith(L"ro.jxe", FILE_ATTRIBUTE_READONLY);
  CreateDirectoryW((dir / L"folder.j2e").c_str(), nullptr);
  Open();
  HWND h = w->hwnd();
  test::ExpectMainFrame(h, L"Quenby", 5535, 4335);

  EXPECT_EQ(Shown(), (V{L"a.j2e", L"B.J2E", L"c.jxe", L"ro.jxe"}));
  EXPECT_EQ(ListView_GetItemCount(Item(frmGlavni::IDC_File1)), 4);
  EXPECT_EQ(w->File2().Names(), (V{L"a.j2e", L"B.J2E"}));
  Count(L"You can activate 6 more episodes.");
  EXPECT_EQ(w->SelectedName(), L"");
  Panel(kNoEpisode, kNoEpisode, kNoEpisode);
  EXPECT_EQ(GetFocus(), Item(frmGlavni::IDC_File1));
  for (int id = frmGlavni::IDC_Label1; id <= frmGlavni::IDC_Label9; ++id) EXPECT_TRUE(Enabled(id)) << id;
  // No default and no cancel button: Enter and Esc do nothing, wherever the focus is.
  EXPECT_EQ(GetDlgItem(h, IDOK), nullptr);
  EXPECT_EQ(GetDlgItem(h, IDCANCEL), nullptr);
  for (int id : {frmGlavni::IDC_File1, frmGlavni::IDC_Label7}) {
    SetFocus(Item(id));
    test::PressKey(VK_RETURN);
    test::PressKey(VK_ESCAPE);
  }
  EXPECT_TRUE(IsWindow(h));
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(starter.started.empty());
  EXPECT_EQ(w->Secondary(), nullptr);
  EXPECT_EQ(dir.Names().size(), 11u);
}

TEST_F(Quenby, EveryControlOfTheLayoutSheetInTabOrder) {
  Open();
  // The captions and the texts at start, word for word, as the user reads
  // them. Where each control lies is checked by the rules that hold for every
  // window (the layout tests), not by its numbers.
  const std::pair<int, const wchar_t*> texts[] = {
      {frmGlavni::IDC_Label1, L"Episode &List:"}, {frmGlavni::IDC_File1, L""},
      {frmGlavni::IDC_Command5, L"Activate"}, {frmGlavni::IDC_Command4, L"Deactivate"},
      {frmGlavni::IDC_Command1, L"A&bout This Utility"}, {frmGlavni::IDC_Command2, L"&Help"},
      {frmGlavni::IDC_Command3, L"D&elete"}, {frmGlavni::IDC_Label2, L"Episode Information:"},
      {frmGlavni::IDC_Label3, L"Episode title:"}, {frmGlavni::IDC_Label4, kNoEpisode.c_str()},
      {frmGlavni::IDC_Label5, L"Size:"}, {frmGlavni::IDC_Label6, kNoEpisode.c_str()},
      {frmGlavni::IDC_Label7, L"You can activate 8 more episodes."}, {frmGlavni::IDC_Label8, L"Activated?"},
      {frmGlavni::IDC_Label9, kNoEpisode.c_str()},
  };
  // The two headings are bold; the captions of the values and the count under
  // the list underlined, in the Central European character set where the face
  // has it; everything else plain.
  const int bold[] = {frmGlavni::IDC_Label1, frmGlavni::IDC_Label2};
  const int underlined[] = {frmGlavni::IDC_Label3, frmGlavni::IDC_Label5, frmGlavni::IDC_Label7,
                            frmGlavni::IDC_Label8};
  const bool central_face = jj::Fonts::HasCharset(w->Choice().face, EASTEUROPE_CHARSET);
  HWND child = GetWindow(w->hwnd(), GW_CHILD);  // creation order is the tab order
  for (const auto& [id, text] : texts) {
    ASSERT_NE(child, nullptr);
    SCOPED_TRACE(id);
    EXPECT_EQ(GetDlgCtrlID(child), id);
    EXPECT_EQ(test::Text(child), text);
    wchar_t cls[64];
    GetClassNameW(child, cls, 64);
    bool command = id >= frmGlavni::IDC_Command5 && id <= frmGlavni::IDC_Command3;
    EXPECT_EQ(_wcsicmp(cls, id == frmGlavni::IDC_File1 ? WC_LISTVIEWW : command ? WC_BUTTONW : WC_STATICW), 0);
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    bool heading = std::count(std::begin(bold), std::end(bold), id) != 0;
    bool caption = std::count(std::begin(underlined), std::end(underlined), id) != 0;
    EXPECT_EQ(lf.lfWeight >= FW_BOLD, heading);
    EXPECT_EQ(lf.lfUnderline != 0, caption);
    EXPECT_EQ(lf.lfCharSet, (heading || caption) && central_face ? EASTEUROPE_CHARSET : DEFAULT_CHARSET);
    EXPECT_TRUE(IsWindowVisible(child));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "the hidden File2 and Command6 are no controls";
  // The value labels show file-derived text as it is ("&" is no access key) and wrap at words.
  for (int id : {frmGlavni::IDC_Label4, frmGlavni::IDC_Label6, frmGlavni::IDC_Label9, frmGlavni::IDC_Label7}) {
    LONG style = GetWindowLongW(Item(id), GWL_STYLE);
    EXPECT_TRUE(style & SS_NOPREFIX) << id;
    EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT) << id;
  }
  HWND list = Item(frmGlavni::IDC_File1);
  const DWORD list_style = jj::kFileListStyle & ~WS_VSCROLL;  // the scroll bar shows only when needed
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE)) & list_style, list_style);
  EXPECT_TRUE(GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  // No button is the default one.
  for (int id = frmGlavni::IDC_Command5; id <= frmGlavni::IDC_Command3; ++id)
    EXPECT_EQ(GetWindowLongW(Item(id), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << id;
}

TEST_F(Quenby, PickingByMouseAndArrowKeysFillsThePanel) {
  dir.Touch(L"PRINCE.J2E", 0);
  dir.Touch(L"monk.jxe", 1023);
  dir.Touch(L"TOMB.J2E", 1536);
  dir.Touch(L"xprince.j2e", 2600);
  dir.Touch(L"myepisode.j2e", 1048576);
  Open();
  ASSERT_EQ(Shown(), (V{L"monk.jxe", L"myepisode.j2e", L"PRINCE.J2E", L"TOMB.J2E", L"xprince.j2e"}));
  Count(L"You can activate 4 more episodes.");
  Pick(L"PRINCE.J2E");
  Panel(L"Formerly A Prince (Official Jazz Jackrabbit 2 episode)", L"0 bytes (0 kilobytes)", L"Yes");
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command4));
  EXPECT_EQ(GetFocus(), Item(frmGlavni::IDC_File1));
  test::PressKey(VK_DOWN);
  EXPECT_EQ(w->SelectedName(), L"TOMB.J2E");
  Panel(L"Tomb Rabbit", L"1536 bytes (1 kilobytes)", L"Yes");
  test::PressKey(VK_DOWN);
  Panel(L"(episode title unknown)", L"2600 bytes (2 kilobytes)", L"Yes");
  Pick(L"monk.jxe");
  Panel(L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)", L"1023 bytes (0 kilobytes)", L"No");
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command4));
  test::PressKey(VK_DOWN);
  EXPECT_EQ(w->SelectedName(), L"myepisode.j2e");
  Panel(L"(episode title unknown)", L"1048576 bytes (1024 kilobytes)", L"Yes");
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command4));
  test::PressKey(VK_UP);
  EXPECT_EQ(w->SelectedName(), L"monk.jxe");
  Panel(L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)", L"1023 bytes (0 kilobytes)", L"No");
  // Every pick re-reads the active list: an episode activated behind the
  // window's back counts at once, although the episode list is not re-read.
  dir.Touch(L"late.j2e");
  Pick(L"TOMB.J2E");
  Count(L"You can activate 3 more episodes.");
  EXPECT_EQ(Shown().size(), 5u);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Quenby, ClickingTheSelectedEntryAgainReadsItAgain) {
  dir.Touch(L"tomb.jxe", 100);
  dir.Touch(L"monk.j2e", 10);
  Open();
  Pick(L"tomb.jxe");
  Panel(L"Tomb Rabbit", L"100 bytes (0 kilobytes)", L"No");
  Count(L"You can activate 7 more episodes.");
  // Another program changes the file and activates an episode meanwhile.
  dir.Touch(L"tomb.jxe", 4096);
  dir.Touch(L"night.j2e");
  Pick(L"tomb.jxe");
  Panel(L"Tomb Rabbit", L"4096 bytes (4 kilobytes)", L"No");
  Count(L"You can activate 6 more episodes.");
}

TEST_F(Quenby, SizeFromTheFull64BitLengthOrUnknown) {
  dir.Touch(L"big.j2e", 3221225472u);
  dir.Touch(L"gone.jxe", 10);
  dir.Touch(L"Gone.j2e", 10);
  Open();
  Pick(L"big.j2e");
  Panel(L"(episode title unknown)", L"3221225472 bytes (3145728 kilobytes)", L"Yes");
  // A file whose length cannot be read any more: title and state still shown.
  DeleteFileW((dir / L"gone.jxe").c_str());
  DeleteFileW((dir / L"Gone.j2e").c_str());
  Pick(L"gone.jxe");
  Panel(L"(episode title unknown)", jj::kSizeUnknown, L"No");
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command4));
  Pick(L"Gone.j2e");
  Panel(L"(episode title unknown)", jj::kSizeUnknown, L"Yes");
  EXPECT_TRUE(prompter.shown.empty());
  Count(L"You can activate 7 more episodes.");  // the active list was re-read
}

// The headings and captions fit their labels on one line. Under Wine "MS Sans
// Serif" exists only in the Western character set; asking for Central
// European there must not fall back to a wider face that wraps and cuts them.
TEST_F(Quenby, TheFixedLabelsFitOnOneLine) {
  Open();
  for (int id : {frmGlavni::IDC_Label1, frmGlavni::IDC_Label2, frmGlavni::IDC_Label3, frmGlavni::IDC_Label5,
                 frmGlavni::IDC_Label8}) {
    HWND label = Item(id);
    std::wstring text = test::Text(label);
    RECT client;
    GetClientRect(label, &client);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT all = client, one = client;
    DrawTextW(dc, text.c_str(), -1, &all, DT_CALCRECT | DT_WORDBREAK);
    DrawTextW(dc, L"X", -1, &one, DT_CALCRECT | DT_WORDBREAK);
    wchar_t face[LF_FACESIZE];
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    EXPECT_EQ(all.bottom - all.top, one.bottom - one.top) << test::Narrow(text) << " in " << test::Narrow(face);
  }
}

TEST_F(Quenby, PicksOnAnUnchangedFolderDoNotReadItAgainAndAChangeCountsAtTheNextPick) {
  for (const wchar_t* n : {L"a.j2e", L"b.jxe", L"c.jxe"}) dir.Touch(n);
  Open();
  jj::FolderListing& listing = *w->Listing();  // the one its lists share
  unsigned long read = listing.Enumerations();
  Pick(L"a.j2e");
  test::PressKey(VK_DOWN);
  test::PressKey(VK_DOWN);
  EXPECT_EQ(w->SelectedName(), L"c.jxe");
  Count(L"You can activate 7 more episodes.");
  EXPECT_EQ(listing.Enumerations(), read);

  // Activated by another thread while the window runs: the next pick counts it.
  std::thread([&] { MoveFileW(Path(L"b.jxe").c_str(), Path(L"b.j2e").c_str()); }).join();
  test::PressKey(VK_UP);
  EXPECT_EQ(w->File2().Names(), (V{L"a.j2e", L"b.j2e"}));
  Count(L"You can activate 6 more episodes.");
  EXPECT_EQ(listing.Enumerations(), read + 1);
}

TEST_F(Quenby, AGameFolderThatCannotBeReadIsReported) {
  std::wstring missing = dir / L"no such folder";
  frmGlavni win(test::ListingOf(missing), prompter, starter);
  win.Show(SW_SHOW, frmGlavni::IDC_File1);
  test::Pump();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text.rfind(L"Could not read the episode files in the game folder \"" + missing +
                                             L"\".\r\rThe system says: ",
                                         0),
            0u);
  EXPECT_EQ(test::Text(win.Item(frmGlavni::IDC_Label7)), L"You can activate 8 more episodes.");
}

TEST_F(Quenby, AGameFolderThatVanishesIsReportedOnceThePickIsDone) {
  dir.Touch(L"a.j2e");
  Open();
  DeleteFileW((dir / L"a.j2e").c_str());
  // Moved away by another program (a folder that a program watches can be
  // moved but not removed while it watches it).
  std::wstring away = dir.path() + L" gone";
  ASSERT_TRUE(MoveFileW(dir.path().c_str(), away.c_str()));
  // The pick shows what it can; the report follows once the list view is done with the pick.
  test::ClickItem(Item(frmGlavni::IDC_File1), 0);
  Panel(L"(episode title unknown)", jj::kSizeUnknown, L"Yes");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text.rfind(L"Could not read the episode files in the game folder \"" + dir.path() +
                                             L"\".\r\rThe system says: ",
                                         0),
            0u);
  Count(L"You can activate 8 more episodes.");
  MoveFileW(away.c_str(), dir.path().c_str());  // for the clean-up
}
