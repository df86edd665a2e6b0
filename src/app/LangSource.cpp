#include "LangSource.h"
#include "BinarySearch.h"
#include "SortedLoad.h"

#include "CodePages.h"
#include "LineReader.h"
#include "SharedText.h"
#include "TextCodec.h"
#include "TextOrder.h"
#include "TextUtils.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <climits>
#include <iterator>

TStreamEncoding DetectStreamEncoding(QIODevice &Stream) {
  const QByteArray Head = Stream.peek(3);
  if (Head.size() < 2)
    return seNone;
  if (Head.startsWith("\xFF\xFE")) {
    Stream.skip(2);
    return seUTF16LE;
  }
  if (Head.startsWith("\xFE\xFF")) {
    Stream.skip(2);
    return seUTF16BE;
  }
  if (Head == "\xEF\xBB\xBF") {
    Stream.skip(3);
    return seUTF8;
  }
  return seNone;
}

namespace {

// Sorts records given in reading order by Less, a later record of an equal
// key in front of an earlier one, as inserting each in turn in front of its
// equal would. Input that already ascends strictly is left as it is.
template <typename T, typename L> void SortLaterFirst(std::vector<std::unique_ptr<T>> &Items, L Less) {
  const auto NotBefore = [&](const auto &A, const auto &B) { return !Less(*A, *B); };
  if (std::adjacent_find(Items.begin(), Items.end(), NotBefore) == Items.end())
    return;
  // Reversed, a stable sort puts the later of two equal keys first.
  std::reverse(Items.begin(), Items.end());
  std::stable_sort(Items.begin(), Items.end(),
                   [&](const auto &A, const auto &B) { return Less(*A, *B); });
}

} // namespace

int TPropertySources::Add(qint32 iID, const QString &sPropName, const QString &wsValue) {
  int Index;
  FindID(iID, Index);
  FItems.insert(FItems.begin() + Index, std::make_unique<TPropertySource>(TPropertySource{
                                            iID, TPropertyName(sPropName), wsValue}));
  return Index;
}

void TPropertySources::Assign(std::vector<std::unique_ptr<TPropertySource>> Items) {
  SortLaterFirst(Items, [](const TPropertySource &A, const TPropertySource &B) {
    return A.iID < B.iID;
  });
  FItems = std::move(Items);
}

bool TPropertySources::FindID(qint32 iID, int &iIndex) const {
  // IDs mostly arrive in ascending order; checking the end first keeps
  // loading linear.
  if (!FItems.empty() && FItems.back()->iID < iID) {
    iIndex = Count();
    return false;
  }
  return ZrLang_BinarySearch(
      Count(),
      [&](int I) { return (FItems[size_t(I)]->iID > iID) - (FItems[size_t(I)]->iID < iID); },
      iIndex);
}

PPropertySource TPropertySources::FindPropByID(qint32 iID) const {
  int Index;
  return FindID(iID, Index) ? FItems[size_t(Index)].get() : nullptr;
}

int TPropertySources::IndexOfID(qint32 iID) const {
  int Index;
  return FindID(iID, Index) ? Index : -1;
}

int TPropertySources::IndexOfPropName(QStringView sPropName) const {
  for (int I = 0; I < Count(); ++I)
    if (ZrLang_SameText(FItems[size_t(I)]->sPropName.Text(), sPropName))
      return I;
  return -1;
}

int TComponentSources::Add(std::unique_ptr<TComponentSource> Item) {
  int Index = Count();
  // Sections mostly come in name order; appending needs no search then.
  if (FItems.empty() || ZrLang_CompareText(FItems.back()->CompName(), Item->CompName()) < 0)
    Index = Count();
  else
    FindCompName(Item->CompName(), Index);
  FItems.insert(FItems.begin() + Index, std::move(Item));
  return Index;
}

void TComponentSources::Assign(std::vector<std::unique_ptr<TComponentSource>> Items) {
  SortLaterFirst(Items, [](const TComponentSource &A, const TComponentSource &B) {
    return ZrLang_CompareText(A.CompName(), B.CompName()) < 0;
  });
  FItems = std::move(Items);
}

bool TComponentSources::FindCompName(QStringView CompName, int &Index) const {
  return ZrLang_BinarySearch(
      Count(), [&](int I) { return ZrLang_CompareText(FItems[size_t(I)]->CompName(), CompName); },
      Index);
}

TComponentSource *TComponentSources::FindCompByName(QStringView CompName) const {
  int Index;
  return FindCompName(CompName, Index) ? FItems[size_t(Index)].get() : nullptr;
}

int TComponentSources::IndexOfCompName(QStringView CompName) const {
  int Index;
  return FindCompName(CompName, Index) ? Index : -1;
}

TLangSource::TLangSource(const QString &Filename)
    : FComponentSources(std::make_unique<TComponentSources>()),
      FConstants(std::make_unique<TZrLang_Constants>([] { return quint16(1033); })),
      FFilename(Filename) {
  QFile File(Filename);
  if (!File.open(QIODevice::ReadOnly))
    throw EFOpenError(Filename, File.errorString());
  LoadFromStream(File);
}

TLangSource::TLangSource(QIODevice &Stream, const QString &Filename)
    : FComponentSources(std::make_unique<TComponentSources>()),
      FConstants(std::make_unique<TZrLang_Constants>([] { return quint16(1033); })),
      FFilename(Filename) {
  LoadFromStream(Stream);
}

TLangSource::~TLangSource() = default;

void TLangSource::LoadFromStream(QIODevice &Stream) {
  const TStreamEncoding Encoding = DetectStreamEncoding(Stream);
  FIsFileUnicode = Encoding == seUTF16LE;
  if (Encoding == seUTF16LE || Encoding == seUTF16BE) {
    TZrLang_LineReader Lines(Stream, Encoding == seUTF16BE);
    ParseLines(Lines);
    return;
  }
  const QByteArray Bytes = Stream.readAll();
  const char16_t *Table = Encoding == seNone ? SingleByteToUnicode() : nullptr;
  if (Table) {
    TZrLang_LineReader Lines(Bytes, Table);
    ParseLines(Lines);
    return;
  }
  const QString Text = Encoding == seUTF8 ? QString::fromUtf8(Bytes) : DecodeAnsi(Bytes);
  TZrLang_LineReader Lines(Text);
  ParseLines(Lines);
}

void TLangSource::ParseLines(TZrLang_LineReader &Lines) {
  TZrLang_SharedText Text(Lines.SizeHint());
  // Records are collected in reading order and sorted once per section, so
  // that any order of sections, IDs and names reads in n log n time.
  std::vector<std::unique_ptr<TComponentSource>> Components;
  // The records of the present section gather in one list used again for
  // every section, and go to their component in a list of their exact size:
  // a list per section grown record by record would leave the memory of all
  // its smaller sizes behind.
  std::vector<std::unique_ptr<TPropertySource>> Props;
  TComponentSource *Current = nullptr;
  const auto EndSection = [&] {
    if (!Current)
      return;
    Current->PropertySources().Assign(std::vector<std::unique_ptr<TPropertySource>>(
        std::make_move_iterator(Props.begin()), std::make_move_iterator(Props.end())));
    Props.clear();
  };
  TZrLang_SortedLoad<TZrLang_Constant> Constants;
  const auto CompareNames = [](const TZrLang_Constant &A, const TZrLang_Constant &B) {
    return ZrLang_CompareText(A.wsName, B.wsName);
  };
  // The duplicate name that adding the constants one by one would have met
  // first.
  const auto RaiseDuplicate = [&] {
    int Line;
    if (const TZrLang_Constant *Dup = Constants.Sort(CompareNames, Line))
      throw TZrLang_Constants::DuplicateNameError(Dup->wsName);
  };

  // Names repeat across sections: each is kept once. Only the first of many
  // distinct names are remembered, so that the table stays small.
  constexpr qsizetype MaxRemembered = 64 * 1024;
  QHash<QStringView, TPropertyName> Names; // keys view their name's text
  const auto NameOf = [&](QStringView Name) {
    if (const auto Found = Names.constFind(Name); Found != Names.cend())
      return *Found;
    const TPropertyName Kept(Text.Keep(Name));
    if (Names.size() < MaxRemembered)
      Names.insert(QStringView(Kept.Text()), Kept);
    return Kept;
  };

  bool InConstants = false;
  int LineNo = 0;
  const auto OnLine = [&](QStringView RawLine) {
    ++LineNo;
    const QStringView Line = ZrLang_Trim(RawLine);
    if (Line.isEmpty() || Line[0] == u';')
      return;
    if (Line[0] == u'[') {
      // The last character is dropped whatever it is.
      const QStringView Name =
          ZrLang_Trim(Line.size() >= 2 ? Line.sliced(1, Line.size() - 2) : QStringView());
      InConstants = ZrLang_SameText(Name, u"$CONSTANTS");
      if (!InConstants) {
        EndSection();
        Components.push_back(std::make_unique<TComponentSource>(Name.toString()));
        Current = Components.back().get();
      }
      return;
    }
    const qsizetype Eq = Line.indexOf(u'=');
    // Without "=" the name is empty and the whole line is the rest.
    const QStringView Name = Eq < 0 ? QStringView() : ZrLang_Trim(Line.first(Eq));
    const QStringView Rest = Eq < 0 ? Line : ZrLang_Trim(Line.sliced(Eq + 1));
    if (InConstants) {
      const QString wsName = Text.Keep(Name);
      if (!TZrLang_Constants::IsValidName(wsName)) {
        RaiseDuplicate();
        throw TZrLang_Constants::InvalidNameError(wsName);
      }
      const QString wsValue = Text.Decoded(Rest);
      Constants.Append(LineNo, std::make_unique<TZrLang_Constant>(
                                   TZrLang_Constant{wsName, wsValue, wsValue, {}}));
      return;
    }
    if (!Current)
      throw ELangSourceError(
          QStringLiteral("Line %1: a property comes before the first section header.").arg(LineNo));
    const qsizetype Comma = Rest.indexOf(u',');
    const qint32 iID = Comma < 0 ? 0 : ZrLang_StrToIntDef(Rest.first(Comma), 0);
    const QStringView Value = Comma < 0 ? Rest : ZrLang_Trim(Rest.sliced(Comma + 1));
    Props.push_back(std::make_unique<TPropertySource>(
        TPropertySource{iID, NameOf(Name), Text.Decoded(Value)}));
  };
  QStringView RawLine;
  while (Lines.Next(RawLine))
    OnLine(RawLine);
  EndSection();

  RaiseDuplicate();
  Constants.TakeBefore(INT_MAX,
                       [this](int, auto Items) { FConstants->MergeSorted(std::move(Items)); });
  FComponentSources->Assign(std::move(Components));
}
