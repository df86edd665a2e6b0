// The translation file (.lng): reading and writing TZrLang_CompTranslations
// as text.
#include "CodePages.h"
#include "Escaping.h"
#include "Exceptions.h"
#include "LineReader.h"
#include "SaveFile.h"
#include "SharedText.h"
#include "StreamIO.h"
#include "TextCodec.h"
#include "TextOrder.h"
#include "TextUtils.h"
#include "SortedLoad.h"
#include "Translations.h"

#include <QFile>
#include <QSysInfo>
#include <QHash>
#include <climits>
#include <vector>

namespace {

const QString ConstantsSectionName = QStringLiteral("$CONSTANTS");

bool HasByteOrderMark(QByteArrayView Bytes) {
  return Bytes.startsWith("\xEF\xBB\xBF") || Bytes.startsWith("\xFF\xFE") ||
         Bytes.startsWith("\xFE\xFF");
}

QByteArrayView TrimmedBytes(QByteArrayView Bytes) {
  while (!Bytes.isEmpty() && quint8(Bytes.front()) <= ' ')
    Bytes = Bytes.sliced(1);
  while (!Bytes.isEmpty() && quint8(Bytes.back()) <= ' ')
    Bytes.chop(1);
  return Bytes;
}

// The header lines of narrow text: everything before the first section
// header, or before a NUL. Line breaks, blanks and a '[' that starts a line
// are bytes of their own in every ANSI code page, so the header is found
// before the code page is known. (A ']' that ends a line of double-byte text
// may be the second byte of a character; at worst the header then ends a
// line early.)
QByteArrayView NarrowHeader(QByteArrayView Bytes) {
  qsizetype Start = 0;
  while (Start < Bytes.size()) {
    qsizetype End = Start;
    while (End < Bytes.size() && Bytes[End] != '\r' && Bytes[End] != '\n' && Bytes[End] != '\0')
      ++End;
    const QByteArrayView Line = TrimmedBytes(Bytes.sliced(Start, End - Start));
    if (Line.size() > 2 && Line.front() == '[' && Line.back() == ']')
      return Bytes.first(Start);
    if (End < Bytes.size() && Bytes[End] == '\0')
      return Bytes.first(End);
    Start = End + 1;
  }
  return Bytes;
}

// Decodes by the leading byte-order mark, narrow text in CodePage; text after
// a NUL is not part of it.
QString DecodeTranslationText(QByteArrayView Bytes, unsigned CodePage, bool &bUnicode) {
  QString Text;
  bUnicode = false;
  if (Bytes.startsWith("\xEF\xBB\xBF")) {
    Text = QString::fromUtf8(Bytes.sliced(3));
  } else if (Bytes.startsWith("\xFF\xFE")) {
    Text = ZrLang_DecodeUtf16(Bytes.sliced(2), false);
    bUnicode = true;
  } else if (Bytes.startsWith("\xFE\xFF")) {
    Text = ZrLang_DecodeUtf16(Bytes.sliced(2), true);
  } else {
    Text = DecodeAnsi(Bytes, CodePage);
  }
  const qsizetype Nul = Text.indexOf(QChar(u'\0'));
  if (Nul >= 0)
    Text.truncate(Nul);
  return Text;
}

QString MessageOf(const std::runtime_error &E) {
  if (const auto *Own = dynamic_cast<const Exception *>(&E))
    return Own->Message();
  return QString::fromUtf8(E.what());
}

// Collects output text and hands it to the stream in blocks, so that a large
// translation never exists twice in memory.
class TLineWriter {
public:
  TLineWriter(QIODevice &Stream, bool bUnicode, unsigned CodePage)
      : FStream(Stream), FUnicode(bUnicode), FCodePage(CodePage) {
    // Never null, so that appending a value copies it: a null string would
    // share the value's storage, and the next append would then copy the
    // value with all the capacity of the file's text behind it.
    FText.reserve(BlockSize + 1024);
  }
  // The text of the line being built; EndLine() finishes it.
  QString &Text() { return FText; }
  void EndLine() {
    FText.append(u"\r\n");
    if (FText.size() >= BlockSize)
      Flush();
  }
  void Line(QStringView S) {
    FText.append(S);
    EndLine();
  }
  void Flush() {
    if (FText.isEmpty())
      return;
    if (FUnicode && QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
      // The text's own storage is the file's form.
      ZrLang_WriteBuffer(FStream, QByteArrayView(reinterpret_cast<const char *>(FText.utf16()),
                                                 FText.size() * 2));
    } else if (FUnicode) {
      FBytes.clear();
      ZrLang_AppendUtf16LE(FBytes, FText);
      ZrLang_WriteBuffer(FStream, FBytes);
    } else {
      ZrLang_WriteBuffer(FStream, EncodeAnsi(FText, FCodePage));
    }
    FText.resize(0); // keeps the block for the next lines
  }

private:
  static constexpr qsizetype BlockSize = 256 * 1024;
  QIODevice &FStream;
  bool FUnicode;
  unsigned FCodePage;
  QString FText;
  QByteArray FBytes;
};

EZrLangError LoadError(int LineNo, const QString &Message) {
  return EZrLangError(
      QStringLiteral("Loading translations failed.\r\nLine %1: %2").arg(LineNo).arg(Message));
}

// The sections and constants of a translation file as they are read. Their
// records reach the translation in one step at the end, so that any order of
// IDs and names reads in n log n time; the errors are those that adding the
// records line by line would have raised.
class TTranslationLoad {
public:
  // About ExpectedRecords records will be read.
  TTranslationLoad(TZrLang_CompTranslations &Target, size_t ExpectedRecords) : FTarget(Target) {
    FProps.Reserve(ExpectedRecords);
    // The first component of each name, as FindComponentName finds it.
    for (int I = Target.Count() - 1; I >= 0; --I)
      FByName.insert(ZrLang_TextOrderKey(Target.Items(I)->ComponentName()), I);
    FSectionLines.assign(size_t(Target.Count()), 0);
  }

  // The section header at Line: the component translation of that name,
  // appended when there is none.
  void OpenSection(QStringView Name, int Line) {
    const QString Key = ZrLang_TextOrderKey(Name);
    const auto Found = FByName.constFind(Key);
    if (Found != FByName.cend()) {
      FCurrent = *Found;
      return;
    }
    FCurrent = FTarget.Add(std::make_unique<TZrLang_CompTranslation>(Name.toString()));
    FByName.insert(Key, FCurrent);
    FSectionLines.push_back(Line);
  }

  void AddProperty(int Line, qint32 iID, const QString &wsValue) {
    FProps.Append(Line,
                  std::make_unique<TZrLang_PropValueTranslation>(
                      TZrLang_PropValueTranslation{iID, {}, wsValue}),
                  FCurrent);
  }

  // An invalid name raises its error at once.
  void AddConstant(int Line, const QString &wsName, const QString &wsValue) {
    if (!TZrLang_Constants::IsValidName(wsName))
      throw TZrLang_Constants::InvalidNameError(wsName);
    FConstants.Append(Line, std::make_unique<TZrLang_Constant>(
                                TZrLang_Constant{wsName, wsValue, wsValue, {}}));
  }

  // Hands over the records read before line Limit. When an earlier line
  // repeats a key, only the records and sections before that line are kept
  // and its error is raised.
  void Finish(int Limit) {
    int PropLine, ConstLine;
    const TZrLang_PropValueTranslation *DupProp = FProps.Sort(CompareIDs, PropLine);
    const TZrLang_Constant *DupConst = FConstants.Sort(CompareNames, ConstLine);
    const int DupLine = std::min(PropLine, ConstLine);
    const QString DupMessage =
        DupLine == INT_MAX ? QString()
        : PropLine < ConstLine
            ? TZrLang_CompTranslation::DuplicateIDError(DupProp->iID).Message()
            : TZrLang_Constants::DuplicateNameError(DupConst->wsName).Message();
    const int Keep = std::min(Limit, DupLine);
    FProps.TakeBefore(Keep, [this](int Section, auto Items) {
      FTarget.Items(Section)->MergeSorted(std::move(Items));
    });
    FConstants.TakeBefore(
        Keep, [this](int, auto Items) { FTarget.Constants().MergeSorted(std::move(Items)); });
    if (DupLine >= Limit)
      return;
    // Sections opened after the failing line were appended last.
    while (!FSectionLines.empty() && FSectionLines.back() > DupLine) {
      FSectionLines.pop_back();
      FTarget.Delete(FTarget.Count() - 1);
    }
    throw LoadError(DupLine, DupMessage);
  }

private:
  static int CompareIDs(const TZrLang_PropValueTranslation &A,
                        const TZrLang_PropValueTranslation &B) {
    return (A.iID > B.iID) - (A.iID < B.iID);
  }
  static int CompareNames(const TZrLang_Constant &A, const TZrLang_Constant &B) {
    return ZrLang_CompareText(A.wsName, B.wsName);
  }

  TZrLang_CompTranslations &FTarget;
  QHash<QString, int> FByName;
  // Per component translation, the line of the header that appended it; 0
  // for those that were there before.
  std::vector<int> FSectionLines;
  int FCurrent = -1;
  // The properties of all sections, grouped by component translation index.
  TZrLang_SortedLoad<TZrLang_PropValueTranslation> FProps;
  TZrLang_SortedLoad<TZrLang_Constant> FConstants;
};

} // namespace

void TZrLang_CompTranslations::Text_LoadFromStream(QIODevice &Stream, bool bParamsOnly) {
  Clear();
  const QByteArray Head = Stream.peek(2);
  if (Head == "\xFF\xFE" || Head == "\xFE\xFF") {
    // UTF-16 is read a block at a time, never as a copy of the whole file.
    Stream.skip(2);
    const bool bBigEndian = Head == "\xFE\xFF";
    TZrLang_LineReader Lines(Stream, bBigEndian);
    Lines.StopAtNul();
    FIsStreamUnicode = !bBigEndian;
    ParseLines(Lines, bParamsOnly);
    return;
  }
  const QByteArray Bytes = Stream.readAll();
  if (HasByteOrderMark(Bytes)) {
    bool bUnicode;
    const QString Text = DecodeTranslationText(Bytes, 0, bUnicode);
    FIsStreamUnicode = bUnicode;
    TZrLang_LineReader Lines(Text);
    ParseLines(Lines, bParamsOnly);
    return;
  }
  // Header lines are ASCII: read as Latin-1 they give the LANGID whatever
  // the code page.
  const QString HeaderText = QString::fromLatin1(NarrowHeader(Bytes));
  TZrLang_LineReader Header(HeaderText);
  ParseLines(Header, false);
  const unsigned CodePage = AnsiCodePage();
  Clear();
  FIsStreamUnicode = false;
  if (const char16_t *Table = SingleByteToUnicode(CodePage)) {
    TZrLang_LineReader Lines(Bytes, Table);
    Lines.StopAtNul();
    ParseLines(Lines, bParamsOnly);
    return;
  }
  bool bUnicode;
  const QString Text = DecodeTranslationText(Bytes, CodePage, bUnicode);
  TZrLang_LineReader Lines(Text);
  ParseLines(Lines, bParamsOnly);
}

unsigned TZrLang_CompTranslations::AnsiCodePage() const {
  int Value;
  const bool bNamed =
      ZrLang_TryStrToInt(FParams.Values(u"LANGID"), Value) && Value >= 0 && Value <= 0xFFFF;
  return TranslationCodePage(bNamed ? std::optional<quint16>(quint16(Value)) : std::nullopt);
}

void TZrLang_CompTranslations::ParseLines(TZrLang_LineReader &Lines, bool bParamsOnly) {
  enum { InHeader, InConstants, InComponent } Section = InHeader;
  // Lines of translation files are seldom shorter than 16 characters.
  TTranslationLoad Load(*this, bParamsOnly ? 0 : size_t(Lines.SizeHint() / 16));
  TZrLang_SharedText Text(bParamsOnly ? 0 : Lines.SizeHint());
  bool Stop = false;
  int LineNo = 0;
  const auto OnLine = [&](QStringView RawLine) {
    ++LineNo;
    const QStringView Line = ZrLang_Trim(RawLine);
    if (Line.isEmpty() || Line[0] == u';')
      return;
    try {
      if (Line[0] == u'[') {
        if (bParamsOnly) {
          Stop = true;
          return;
        }
        if (Line.size() <= 2 || Line.back() != u']')
          return;
        const QStringView Name = ZrLang_Trim(Line.sliced(1, Line.size() - 2));
        if (ZrLang_SameText(Name, ConstantsSectionName)) {
          Section = InConstants;
          return;
        }
        Section = InComponent;
        Load.OpenSection(Name, LineNo);
        return;
      }
      const qsizetype Eq = Line.indexOf(u'=');
      if (Eq < 0)
        return;
      const QStringView Key = ZrLang_Trim(Line.first(Eq));
      if (Key.isEmpty())
        return;
      const QStringView Value = ZrLang_Trim(Line.sliced(Eq + 1));
      switch (Section) {
      case InHeader:
        FParams.SetValue(Key, Value);
        break;
      case InConstants:
        Load.AddConstant(LineNo, Text.Keep(Key), Text.Decoded(Value));
        break;
      case InComponent:
        if (const int iID = ZrLang_StrToIntDef(Key, 0); iID > 0)
          Load.AddProperty(LineNo, iID, Text.Decoded(Value));
        break;
      }
    } catch (const std::runtime_error &E) {
      // A repeated key on an earlier line is the error that comes first.
      Load.Finish(LineNo);
      throw LoadError(LineNo, MessageOf(E));
    }
  };
  // With only the header wanted, reading stops at the first section.
  QStringView RawLine;
  while (!Stop && Lines.Next(RawLine))
    OnLine(RawLine);
  Load.Finish(INT_MAX);
}

void TZrLang_CompTranslations::Text_LoadFromFile(const QString &wsFileName, bool bParamsOnly) {
  QFile File(wsFileName);
  if (!File.open(QIODevice::ReadOnly))
    throw EFOpenError(wsFileName, File.errorString());
  Text_LoadFromStream(File, bParamsOnly);
}

void TZrLang_CompTranslations::Text_LoadFromResource(const QString &wsResName, bool bParamsOnly) {
  QFile Resource(QStringLiteral(":/") + wsResName);
  if (!Resource.open(QIODevice::ReadOnly))
    throw EResNotFound(wsResName);
  Text_LoadFromStream(Resource, bParamsOnly);
}

void TZrLang_CompTranslations::Text_LoadFromResource(int iResID, bool bParamsOnly) {
  Text_LoadFromResource(QString::number(iResID), bParamsOnly);
}

void TZrLang_CompTranslations::Text_SaveToStream(QIODevice &Stream, bool bUnicode,
                                                 bool bSkipUntranslated) {
  if (bUnicode)
    ZrLang_WriteBuffer(Stream, "\xFF\xFE");
  FIsStreamUnicode = bUnicode;

  TLineWriter W(Stream, bUnicode, AnsiCodePage());
  for (const QString &Param : FParams.Lines())
    W.Line(Param);
  if (FParams.Count() > 0)
    W.Line(QStringView());

  const auto Skip = [bSkipUntranslated](TZrLang_TranslationStates S) {
    return bSkipUntranslated && S.Contains(zrtsUntranslated);
  };
  for (const auto &Component : FItems) {
    // "[]" would not read back as a section; "[ ]" reads as the empty name.
    const QString &Name = Component->ComponentName();
    W.Text().append(u'[').append(Name.isEmpty() ? QStringLiteral(" ") : Name).append(u']');
    W.EndLine();
    for (int I = 0; I < Component->Count(); ++I) {
      const PZrLang_PropValueTranslation P = Component->Items(I);
      // The reader skips IDs below 1; such a record would not come back.
      if (P->iID <= 0 || Skip(P->TranStates))
        continue;
      ZrLang_AppendIDText(W.Text(), P->iID);
      W.Text().append(u'=');
      AppendEncodedControlChars(W.Text(), P->wsValue);
      W.EndLine();
    }
    W.Line(QStringView());
  }
  W.Text().append(u'[').append(ConstantsSectionName).append(u']');
  W.EndLine();
  for (int I = 0; I < FConstants->Count(); ++I) {
    const PZrLang_Constant C = FConstants->Items(I);
    if (Skip(C->TranStates))
      continue;
    W.Text().append(C->wsName).append(u'=');
    AppendEncodedControlChars(W.Text(), C->wsValue);
    W.EndLine();
  }
  W.Flush();
}

void TZrLang_CompTranslations::Text_SaveToFile(const QString &wsFileName, bool bUnicode,
                                               bool bSkipUntranslated) {
  // A failed save leaves the flag as the last file that was written.
  const bool bWasUnicode = FIsStreamUnicode;
  try {
    ZrLang_SaveFile(wsFileName, [&](QIODevice &Stream) {
      Text_SaveToStream(Stream, bUnicode, bSkipUntranslated);
    });
  } catch (...) {
    FIsStreamUnicode = bWasUnicode;
    throw;
  }
}
