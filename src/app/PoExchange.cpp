#include "PoExchange.h"

#include "LanguageTags.h"
#include "PoLibrary.h"
#include "PoPartWriter.h"
#include "StreamIO.h"
#include "TranslationSupport.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <algorithm>
#include <cstring>
#include <future>
#include <memory>
#include <vector>

namespace {

[[noreturn]] void FailPo(const QString &Reason) {
  throw EExchangeFileError(QStringLiteral("Malformed PO file: %1").arg(Reason));
}

QTemporaryFile &OpenTemporary(QTemporaryFile &File) {
  if (!File.open())
    throw EExchangeFileError(
        QStringLiteral("Cannot create a temporary file: %1").arg(File.errorString()));
  return File;
}

QString RevisionDate(const QDateTime &Now) {
  const int Offset = Now.offsetFromUtc() / 60;
  return Now.toString(QStringLiteral("yyyy-MM-dd HH:mm")) + (Offset < 0 ? u'-' : u'+') +
         QStringLiteral("%1%2")
             .arg(std::abs(Offset) / 60, 2, 10, QLatin1Char('0'))
             .arg(std::abs(Offset) % 60, 2, 10, QLatin1Char('0'));
}

QByteArray HeaderText(const TExchangeCatalog &Catalog, const QDateTime &Now) {
  QString Header = QStringLiteral("Project-Id-Version: %1\n").arg(Catalog.Original) +
                   QStringLiteral("PO-Revision-Date: %1\n").arg(RevisionDate(Now));
  if (const QString Tag = LanguageTagOfLangID(Catalog.TargetLangID); !Tag.isEmpty())
    Header += QStringLiteral("Language: %1\n").arg(PosixLocaleName(Tag));
  Header += QStringLiteral("MIME-Version: 1.0\n"
                           "Content-Type: text/plain; charset=UTF-8\n"
                           "Content-Transfer-Encoding: 8bit\n");
  if (const QString Tag = LanguageTagOfLangID(Catalog.SourceLangID); !Tag.isEmpty())
    Header += QStringLiteral("X-Source-Language: %1\n").arg(PosixLocaleName(Tag));
  Header += QStringLiteral("X-Generator: %1\n").arg(TranslationGenerator());
  return Header.toUtf8();
}

} // namespace

namespace {

// The texts of one part in UTF-8, each ended by a NUL, in one buffer kept
// for all parts: the library copies what it is given, and one string each
// would cost an allocation per text. The bytes are those of QString::toUtf8,
// which the files written before had.
class TUtf8Texts {
public:
  // Makes room for Texts characters in at most Count texts.
  void Reserve(qsizetype Texts, qsizetype Count) {
    const qsizetype Needed = FEncoder.requiredSpace(Texts) + Count;
    if (FBuffer.size() < Needed)
      FBuffer = QByteArray(Needed, Qt::Uninitialized);
    FEnd = FBuffer.data();
  }
  // REQUIRES: room reserved for Text.
  const char *Add(const QString &Text) {
    char *const Start = FEnd;
    FEnd = FEncoder.appendToBuffer(FEnd, Text);
    // The encoder makes a NUL of a lone surrogate where toUtf8 makes a '?';
    // a NUL of the text itself stays one.
    if (std::memchr(Start, '\0', size_t(FEnd - Start))) {
      const QByteArray Bytes = Text.toUtf8();
      FEnd = std::copy(Bytes.begin(), Bytes.end(), Start);
    }
    *FEnd++ = '\0';
    return Start;
  }

private:
  QStringEncoder FEncoder{QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                      QStringConverter::Flag::ConvertInvalidToNull};
  QByteArray FBuffer;
  char *FEnd = nullptr;
};

using TUnitIterator = std::vector<TExchangeUnit>::const_iterator;

// The PO file of the header and the units from Begin to End; the Contexts of
// units with an empty source go to LeftOut.
TPoFile PoFileOf(const QByteArray &Header, TUnitIterator Begin, TUnitIterator End,
                 TUtf8Texts &Texts, QStringList &LeftOut) {
  qsizetype Length = 0;
  for (TUnitIterator Unit = Begin; Unit != End; ++Unit)
    Length += Unit->Context.size() + Unit->Source.size() + Unit->Target.size();
  Texts.Reserve(Length, 3 * (End - Begin));

  TPoFile File(po_file_create());
  const po_message_iterator_t Iterator = po_message_iterator(File.get(), nullptr);
  const auto Insert = [&](const char *Context, const char *Id, const char *Str, bool bFuzzy) {
    const po_message_t Message = po_message_create();
    if (Context)
      po_message_set_msgctxt(Message, Context);
    po_message_set_msgid(Message, Id);
    po_message_set_msgstr(Message, Str);
    if (bFuzzy)
      po_message_set_fuzzy(Message, true);
    po_message_insert(Iterator, Message);
  };
  Insert(nullptr, "", Header.constData(), false);
  for (TUnitIterator Unit = Begin; Unit != End; ++Unit) {
    if (Unit->Source.isEmpty()) {
      LeftOut.append(Unit->Context);
      continue;
    }
    const char *Context = Texts.Add(Unit->Context);
    const char *Id = Texts.Add(Unit->Source);
    Insert(Context, Id, Unit->State != TExchangeState::Untranslated ? Texts.Add(Unit->Target) : "",
           Unit->State == TExchangeState::NeedsReview);
  }
  po_message_iterator_free(Iterator);
  return File;
}

// Appends the file that the library wrote for a part to Stream; a part
// after the first without its header, the message up to the first blank
// line (each line of a message holds at least its quotes).
void AppendPart(QIODevice &Stream, const QString &FileName, bool bFirst) {
  QFile Written(FileName);
  if (!Written.open(QIODevice::ReadOnly))
    throw EFOpenError(FileName, Written.errorString());
  const QByteArray Bytes = Written.readAll();
  if (bFirst) {
    ZrLang_WriteBuffer(Stream, Bytes);
  } else if (const qsizetype HeaderEnd = Bytes.indexOf("\n\n"); HeaderEnd >= 0) {
    // The blank line stays, to part the messages.
    ZrLang_WriteBuffer(Stream, QByteArrayView(Bytes).sliced(HeaderEnd + 1));
  }
}

} // namespace

QStringList WritePo(QIODevice &Stream, const TExchangeCatalog &Catalog, const QDateTime &Now,
                    size_t UnitsPerPart) {
  const QByteArray Header = HeaderText(Catalog, Now);
  const std::vector<TExchangeUnit> &Units = Catalog.Units;
  const size_t Parts = std::max<size_t>(1, (Units.size() + UnitsPerPart - 1) / UnitsPerPart);
  QStringList LeftOut;
  TUtf8Texts Texts;
  // The library writes each part anew under the name of its file. Both
  // outlive the writer.
  std::vector<std::unique_ptr<QTemporaryFile>> Files;
  std::vector<TPoFile> PoFiles;
  TPoPartWriter Writer;
  for (size_t Part = 0; Part < Parts; ++Part) {
    Files.push_back(std::make_unique<QTemporaryFile>());
    OpenTemporary(*Files.back());
    const size_t Begin = std::min(Part * UnitsPerPart, Units.size());
    const size_t End = std::min(Begin + UnitsPerPart, Units.size());
    PoFiles.push_back(PoFileOf(Header, Units.begin() + qsizetype(Begin),
                               Units.begin() + qsizetype(End), Texts, LeftOut));
    Writer.Add(PoFiles.back().get(), QFile::encodeName(Files.back()->fileName()));
  }
  // Freeing the written parts here leaves the writer's thread to the
  // library's writing, which takes longest.
  for (size_t Part = 0; Part < Parts; ++Part) {
    Writer.WaitUntilWritten(Part + 1);
    PoFiles[Part].reset();
    AppendPart(Stream, Files[Part]->fileName(), Part == 0);
    Files[Part].reset();
  }
  return LeftOut;
}

namespace {

// The charset that the header of a PO file names; none when it names none
// or a template's placeholder. The header is the first message; its fields
// are ASCII in every charset.
QByteArray CharsetOf(QByteArrayView Bytes) {
  const QByteArrayView Head = Bytes.first(std::min<qsizetype>(Bytes.size(), 16384));
  const qsizetype End = Head.indexOf("\n\n");
  const QByteArrayView Header = End < 0 ? Head : Head.first(End);
  const qsizetype At = Header.toByteArray().toLower().indexOf("charset=");
  if (At < 0)
    return QByteArray();
  qsizetype NameEnd = At + 8;
  while (NameEnd < Header.size() && !QByteArrayView(" ;\\\"\r\n").contains(Header[NameEnd]))
    ++NameEnd;
  const QByteArray Charset = Header.sliced(At + 8, NameEnd - At - 8).toByteArray();
  return Charset.compare("CHARSET", Qt::CaseInsensitive) == 0 ? QByteArray() : Charset;
}

// Whether the library takes text in Charset as UTF-8.
bool IsUtf8(const QByteArray &Charset) {
  const QByteArray Lower = Charset.toLower();
  return Lower.isEmpty() || Lower == "utf-8" || Lower == "utf8" || Lower == "ascii" ||
         Lower == "us-ascii";
}

// A PO file in UTF-8: one in another charset is converted, and its header
// then names UTF-8.
QByteArray InUtf8(QByteArray Bytes) {
  const QByteArray Charset = CharsetOf(Bytes);
  if (IsUtf8(Charset))
    return Bytes;
  QStringDecoder Decoder(Charset.constData());
  if (!Decoder.isValid())
    FailPo(QStringLiteral("unknown charset \"%1\"").arg(QString::fromLatin1(Charset)));
  QString Text = Decoder.decode(Bytes);
  if (Decoder.hasError())
    FailPo(
        QStringLiteral("the text is not in its charset \"%1\"").arg(QString::fromLatin1(Charset)));
  Text.replace(Text.indexOf(u"charset=", 0, Qt::CaseInsensitive) + 8, Charset.size(),
               QStringLiteral("UTF-8"));
  return Text.toUtf8();
}

// The name under which the library can read Stream as it is: a file on disk
// from its start, in UTF-8; none for other streams, which go through a
// private temporary file. Copying a large file costs a noticeable time.
QByteArray NameToReadAsIs(QIODevice &Stream) {
  const auto *File = qobject_cast<QFile *>(&Stream);
  if (!File || File->fileName().startsWith(u':') || Stream.pos() != 0 ||
      !IsUtf8(CharsetOf(Stream.peek(16384))))
    return QByteArray();
  return QFile::encodeName(File->fileName());
}

QString Utf8(const char *Text) {
  return Text ? QString::fromUtf8(Text) : QString();
}

TExchangeUnit UnitOf(po_message_t Message) {
  TExchangeUnit Unit;
  Unit.Source = Utf8(po_message_msgid(Message));
  Unit.Context = Utf8(po_message_msgctxt(Message));
  Unit.Target = Utf8(po_message_msgid_plural(Message) ? po_message_msgstr_plural(Message, 0)
                                                      : po_message_msgstr(Message));
  Unit.State = Unit.Target.isEmpty()          ? TExchangeState::Untranslated
               : po_message_is_fuzzy(Message) ? TExchangeState::NeedsReview
                                              : TExchangeState::Translated;
  return Unit;
}

} // namespace

TExchangeCatalog ReadPo(QIODevice &Stream) {
  QTemporaryFile Temporary;
  QByteArray Path = NameToReadAsIs(Stream);
  if (Path.isEmpty()) {
    OpenTemporary(Temporary);
    ZrLang_WriteBuffer(Temporary, InUtf8(Stream.readAll()));
    if (!Temporary.flush())
      throw EExchangeFileError(
          QStringLiteral("Cannot write a temporary file: %1").arg(Temporary.errorString()));
    Path = QFile::encodeName(Temporary.fileName());
  }
  const TPoFile File(ReadPoFile(Path));

  TExchangeCatalog Catalog;
  std::vector<po_message_t> Messages;
  bool bFirstDomain = true;
  for (const char *const *Domain = po_file_domains(File.get()); *Domain; ++Domain) {
    // The library hands out a copy of the header.
    const std::unique_ptr<char, decltype(&std::free)> HeaderCopy(
        const_cast<char *>(po_file_domain_header(File.get(), *Domain)), &std::free);
    const char *Header = HeaderCopy.get();
    if (bFirstDomain && Header) {
      for (const auto &[Name, LangID] : {std::pair{"Language", &Catalog.TargetLangID},
                                         std::pair{"X-Source-Language", &Catalog.SourceLangID}}) {
        char *Field = po_header_field(Header, Name);
        *LangID = Field ? LangIDOfLanguageTag(Utf8(Field)) : 0;
        std::free(Field);
      }
      char *Project = po_header_field(Header, "Project-Id-Version");
      Catalog.Original = Utf8(Project);
      std::free(Project);
    }
    bFirstDomain = false;
    const po_message_iterator_t Iterator = po_message_iterator(File.get(), *Domain);
    while (const po_message_t Message = po_next_message(Iterator)) {
      const char *Context = po_message_msgctxt(Message);
      const char *Id = po_message_msgid(Message);
      if (!po_message_is_obsolete(Message) && (Context || !Id || *Id))
        Messages.push_back(Message);
    }
    po_message_iterator_free(Iterator);
  }
  // The messages do not depend on each other, and converting them is a
  // noticeable part of an import: the second half is converted on a thread of
  // its own.
  std::vector<TExchangeUnit> &Units = Catalog.Units;
  Units.resize(Messages.size());
  const auto Convert = [&](size_t Begin, size_t End) {
    for (size_t I = Begin; I < End; ++I)
      Units[I] = UnitOf(Messages[I]);
  };
  const size_t Half = Units.size() / 2;
  std::future<void> Second = std::async(std::launch::async, Convert, Half, Units.size());
  Convert(0, Half);
  Second.get();
  return Catalog;
}
