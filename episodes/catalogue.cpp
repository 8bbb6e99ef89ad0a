#include "episodes/catalogue.h"

#include <windows.h>

#include <algorithm>

#include "files/fold.h"
#include "ui/report.h"

namespace episodes {

namespace {

constexpr const wchar_t* kPmsb[] = {
    L"\\monkey1.j2l", L"\\monkey2.j2l", L"\\monkey3.j2l", L"\\monkey4.j2l",
    L"\\monkey4-2.j2l", L"\\monkey5.j2l", L"\\monkey6.j2l", L"\\monkey7.j2l",
};
constexpr const wchar_t* kTomb[] = {
    L"\\Tomb Rabbit.doc", L"\\TOMB RABBIT.txt", L"\\TRac1.j2l", L"\\TRal1.j2l", L"\\TRal2.j2l",
    L"\\TRcc1.j2l",       L"\\TRcc2.j2l",       L"\\TRcc3.j2l", L"\\TRcc4.j2l", L"\\Trcc5.j2l",
    L"\\TRd1.j2l",        L"\\TRd2.j2l",        L"\\TRending.j2l", L"\\TRsc1.j2l", L"\\TRsc2.j2l",
    L"\\TRsc3.j2l",       L"\\TRsc4.j2l",       L"\\TRsl1.j2l", L"\\TRvc1.j2l", L"\\TRvl1.j2l",
};
constexpr const wchar_t* kNight[] = {
    L"\\Night.j2l",  L"\\Night10.j2l", L"\\Night2.j2l", L"\\Night3.j2l", L"\\Night4.j2l",  L"\\Night5.j2l",
    L"\\Night6.j2l", L"\\Night7.j2l",  L"\\Night8.j2l", L"\\Night9.j2l", L"\\Readthis.txt",
};
constexpr const wchar_t* kJazzX[] = {
    L"\\bc Jazz X.j2l", L"\\bc10.j2l", L"\\bc11.j2l", L"\\bc12.j2l", L"\\bc14.j2l", L"\\bc15.j2l",
    L"\\bc16.j2l",      L"\\bc17.j2l", L"\\bc18.j2l", L"\\bc19.j2l", L"\\bc2.j2l",  L"\\bc21.j2l",
    L"\\bc22.j2l",      L"\\bc3.j2l",  L"\\bc4.j2l",  L"\\bc5.j2l",  L"\\bc6.j2l",  L"\\bc7.j2l",
    L"\\bc8.j2l",       L"\\bc9.j2l",  L"\\Read READ.txt",
};
constexpr const wchar_t* kHocusPocus[] = {
    L"\\hocus101.j2l", L"\\hocus102.j2l", L"\\hocus103.j2l", L"\\hocus104.j2l",
    L"\\hocus105.j2l", L"\\hocus106.j2l", L"\\hocus107.j2l", L"\\hocus108.j2l",
    L"\\hocus109.j2l", L"\\hocus1end.j2l", L"\\TTJJ2Readme.txt",
};
constexpr const wchar_t* kBbc[] = {
    L"\\bbc.j2l",     L"\\bbc.txt",     L"\\bbc0.j2l",    L"\\bbc1.j2l",    L"\\bbc2.j2l",    L"\\bbc3.j2l",
    L"\\bbc4.j2l",    L"\\bbc5.j2l",    L"\\bbc6.j2l",    L"\\bbcend.j2l",  L"\\bbcint1.j2l", L"\\bbcint2.j2l",
    L"\\bbcint3.j2l", L"\\bbcint4.j2l", L"\\bbcint5.j2l", L"\\bbcint6.j2l", L"\\bbcmp2.j2l",  L"\\bbcmp3.j2l",
};
constexpr const wchar_t* kFiveAlive[] = {
    L"\\5 Alive.doc", L"\\5Alive.j2l", L"\\Beat-The-Hi-Score.exe", L"\\Sky Rapper.j2l",
};

// The catalogue, in its fixed order: the stem, the title, the companion files.
const CatalogueRow kCatalogue[] = {
    {L"prince", L"Formerly A Prince (Official Jazz Jackrabbit 2 episode)", {}},
    {L"rescue", L"Jazz In Time (Official Jazz Jackrabbit 2 episode)", {}},
    {L"flash", L"Flashback (Official Jazz Jackrabbit 2 episode)", {}},
    {L"monk", L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)", {}},
    {L"share", L"Shareware Demo (Official Jazz Jackrabbit 2 episode)", {}},
    {L"home", L"Home Cooked Levels (Official Jazz Jackrabbit 2 episode)", {}},
    {L"secretf", L"The Secret Files (Official Jazz Jackrabbit 2 episode)", {}},
    {L"pmsb", L"Putrid Monkey Strikes Back", kPmsb},
    {L"tomb", L"Tomb Rabbit", kTomb},
    {L"night", L"Night World", kNight},
    {L"jazzx", L"Jazz X", kJazzX},
    {L"hocuspocus1", L"Hocus Pocus Episode 1", kHocusPocus},
    {L"bbc", L"The Blues Brothers Comeback Beta", kBbc},
    {L"5aliveshortcut", L"5 Alive", kFiveAlive},
};

// The row of `rows` whose stem and one of the two endings make up `name`
// exactly, or null.
const CatalogueRow* RowOf(std::wstring_view name, std::span<const CatalogueRow> rows) {
  for (const CatalogueRow& row : rows) {
    std::wstring_view stem = row.stem;
    std::wstring_view ending = name.substr(std::min(stem.size(), name.size()));
    if (name.starts_with(stem) && (ending == kActiveExtension || ending == kInactiveExtension)) return &row;
  }
  return nullptr;
}

}  // namespace

std::span<const CatalogueRow> Catalogue() { return kCatalogue; }

std::span<const CatalogueRow> Companions() { return std::span(kCatalogue).subspan(kOfficialRows); }

std::wstring ActivePattern() {
  return L"*" + std::wstring(kActiveExtension) + L";*" + jj::UpperCase(kActiveExtension, LOCALE_NAME_INVARIANT);
}

std::wstring EpisodePattern() { return ActivePattern() + L";*" + kInactiveExtension; }

std::wstring EpisodeTitle(std::wstring_view name) {
  const CatalogueRow* row = RowOf(jj::LowerCase(name), kCatalogue);
  return row ? row->title : kUnknownTitle;
}

bool IsActiveName(std::wstring_view name) {
  return name.size() >= kEndingLength && jj::LowerCase(name.substr(name.size() - kEndingLength)) == kActiveExtension;
}

std::wstring RenamedName(std::wstring_view name, std::wstring_view extension) {
  std::wstring out(name.substr(0, name.size() >= kEndingLength ? name.size() - kEndingLength : 0));
  out += extension;
  return out;
}

const CatalogueRow* CompanionsOf(std::wstring_view name) { return RowOf(name, Companions()); }

std::wstring CountMessage(std::size_t active) {
  if (active < kActiveLimit) return jj::Filled(kCanActivate, {std::to_wstring(kActiveLimit - active)});
  return jj::Filled(kMustDeactivate, {std::to_wstring(active - kActiveLimit)});
}

}  // namespace episodes
