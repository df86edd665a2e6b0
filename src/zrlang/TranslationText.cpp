// The translation file (.lng): reading and writing TZrLang_CompTranslations
// as text.
#include "CodePages.h"
#include "Escaping.h"
#include "Exceptions.h"
#include "SaveFile.h"
#include "StreamIO.h"
#include "TextCodec.h"
#include "TextOrder.h"
#include "TextUtils.h"
#include "Translations.h"

#include <QFile>
#include <QHash>

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
      : FStream(Stream), FUnicode(bUnicode), FCodePage(CodePage) {}
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
    if (FUnicode) {
      FBytes.clear();
      ZrLang_AppendUtf16LE(FBytes, FText);
      ZrLang_WriteBuffer(FStream, FBytes);
    } else {
      ZrLang_WriteBuffer(FStream, EncodeAnsi(FText, FCodePage));
    }
    FText.clear();
  }

private:
  static constexpr qsizetype BlockSize = 256 * 1024;
  QIODevice &FStream;
  bool FUnicode;
  unsigned FCodePage;
  QString FText;
  QByteArray FBytes;
};

} // namespace

void TZrLang_CompTranslations::Text_LoadFromStream(QIODevice &Stream, bool bParamsOnly) {
  Clear();
  const QByteArray Bytes = Stream.readAll();
  unsigned CodePage = 0;
  if (!HasByteOrderMark(Bytes)) {
    // Header lines are ASCII: read as Latin-1 they give the LANGID whatever
    // the code page.
    ParseText(QString::fromLatin1(NarrowHeader(Bytes)), false);
    CodePage = AnsiCodePage();
    Clear();
  }
  bool bUnicode;
  const QString Text = DecodeTranslationText(Bytes, CodePage, bUnicode);
  FIsStreamUnicode = bUnicode;
  ParseText(Text, bParamsOnly);
}

unsigned TZrLang_CompTranslations::AnsiCodePage() const {
  int Value;
  const bool bNamed =
      ZrLang_TryStrToInt(FParams.Values(u"LANGID"), Value) && Value >= 0 && Value <= 0xFFFF;
  return TranslationCodePage(bNamed ? std::optional<quint16>(quint16(Value)) : std::nullopt);
}

void TZrLang_CompTranslations::ParseText(QStringView Text, bool bParamsOnly) {
  enum { InHeader, InConstants, InComponent } Section = InHeader;
  TZrLang_CompTranslation *Component = nullptr;
  // Sections by name, the first one of each name as FindComponentName would
  // find it; a linear search per header would make many sections quadratic.
  QHash<QString, TZrLang_CompTranslation *> Sections;
  for (int I = Count() - 1; I >= 0; --I)
    Sections.insert(ZrLang_TextOrderKey(Items(I)->ComponentName()), Items(I));
  bool Stop = false;
  int LineNo = 0;
  ZrLang_ForEachLine(Text, [&](QStringView RawLine) {
    if (Stop)
      return;
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
        const QString Key = ZrLang_TextOrderKey(Name);
        Component = Sections.value(Key);
        if (!Component) {
          auto Item = std::make_unique<TZrLang_CompTranslation>(Name.toString());
          Component = Item.get();
          Add(std::move(Item));
          Sections.insert(Key, Component);
        }
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
        FConstants->Add(Key.toString(), DecodeControlChars(Value), {});
        break;
      case InComponent:
        if (const int iID = ZrLang_StrToIntDef(Key, 0); iID > 0)
          Component->Add(iID, DecodeControlChars(Value), {});
        break;
      }
    } catch (const std::runtime_error &E) {
      throw EZrLangError(QStringLiteral("Loading translations failed.\r\nLine %1: %2")
                             .arg(LineNo)
                             .arg(MessageOf(E)));
    }
  });
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
      if (Skip(P->TranStates))
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
