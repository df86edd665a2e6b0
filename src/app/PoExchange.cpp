#include "PoExchange.h"

#include "LanguageTags.h"
#include "StreamIO.h"
#include "TranslationSupport.h"

#include <QFile>
#include <QMutex>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <csetjmp>
#include <gettext-po.h>
#include <memory>

namespace {

// libgettextpo reads and writes files by name only: the stream goes through
// a private temporary file.

// Its error handler is global state, and a fatal error must not return to
// the library: the handler records the first message and jumps back to the
// call that armed it. The library's frames are C, with nothing to unwind;
// what it had open for the call is lost, which a malformed file may cost
// once.
struct TPoCall {
  std::jmp_buf Exit;
  QString FirstError;
  int Errors = 0;
};
QMutex PoMutex;
TPoCall *CurrentCall = nullptr;

void Record(int Severity, const char *FileName, size_t Line, const char *Text) {
  if (Severity == PO_SEVERITY_WARNING)
    return;
  ++CurrentCall->Errors;
  if (!CurrentCall->FirstError.isEmpty())
    return;
  QString Message = QString::fromUtf8(Text ? Text : "").trimmed();
  if (FileName && Line != size_t(-1))
    Message = QStringLiteral("line %1: %2").arg(Line).arg(Message);
  CurrentCall->FirstError = Message;
}

extern "C" void PoXError(int Severity, po_message_t, const char *FileName, size_t Line, size_t, int,
                         const char *Text) {
  Record(Severity, FileName, Line, Text);
  if (Severity == PO_SEVERITY_FATAL_ERROR)
    std::longjmp(CurrentCall->Exit, 1);
}

extern "C" void PoXError2(int Severity, po_message_t, const char *FileName1, size_t Line1, size_t,
                          int, const char *Text1, po_message_t, const char *, size_t, size_t, int,
                          const char *Text2) {
  {
    // Gone before the jump, which would skip its destructor.
    const QByteArray Text = QByteArray(Text1 ? Text1 : "") + ' ' + (Text2 ? Text2 : "");
    Record(Severity, FileName1, Line1, Text.constData());
  }
  if (Severity == PO_SEVERITY_FATAL_ERROR)
    std::longjmp(CurrentCall->Exit, 1);
}

const po_xerror_handler Handler = {PoXError, PoXError2};

// The library reads and wraps text character by character through iconv
// unless told to take it as bytes, which is exact for UTF-8, the only charset
// it is handed here (a file read in another one is converted first), and
// saves a third of its time. The variables are set once, under the library's
// lock, through Qt's lock on the environment.
void UseBytewiseText() {
  static bool bDone = false;
  if (bDone)
    return;
  for (const char *Name : {"OLD_PO_FILE_INPUT", "OLD_PO_FILE_OUTPUT"})
    if (!qEnvironmentVariableIsSet(Name))
      qputenv(Name, "1");
  bDone = true;
}

struct TPoFileFree {
  void operator()(po_file_t File) const { po_file_free(File); }
};
using TPoFile = std::unique_ptr<std::remove_pointer_t<po_file_t>, TPoFileFree>;

// Runs one library call under the handler. Between the jump's target and
// the call nothing with a destructor is made, so the jump skips none.
po_file_t ReadPoFile(TPoCall &Call, const char *Path) {
  CurrentCall = &Call;
  if (setjmp(Call.Exit) != 0)
    return nullptr;
  return po_file_read(Path, &Handler);
}

bool WritePoFile(TPoCall &Call, po_file_t File, const char *Path) {
  CurrentCall = &Call;
  if (setjmp(Call.Exit) != 0)
    return false;
  po_file_write(File, Path, &Handler);
  return true;
}

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

QStringList WritePo(QIODevice &Stream, const TExchangeCatalog &Catalog, const QDateTime &Now) {
  QTemporaryFile Temporary;
  OpenTemporary(Temporary);
  const QByteArray Path = QFile::encodeName(Temporary.fileName());
  QStringList LeftOut;
  {
    const QMutexLocker Lock(&PoMutex);
    UseBytewiseText();
    const TPoFile File(po_file_create());
    const po_message_iterator_t Iterator = po_message_iterator(File.get(), nullptr);
    const auto Insert = [&](const QByteArray *Context, const QByteArray &Id, const QByteArray &Str,
                            bool bFuzzy) {
      const po_message_t Message = po_message_create();
      if (Context)
        po_message_set_msgctxt(Message, Context->constData());
      po_message_set_msgid(Message, Id.constData());
      po_message_set_msgstr(Message, Str.constData());
      po_message_set_fuzzy(Message, bFuzzy);
      po_message_insert(Iterator, Message);
    };
    Insert(nullptr, QByteArray(""), HeaderText(Catalog, Now), false);
    for (const TExchangeUnit &Unit : Catalog.Units) {
      if (Unit.Source.isEmpty()) {
        LeftOut.append(Unit.Context);
        continue;
      }
      const QByteArray Context = Unit.Context.toUtf8();
      const bool bTranslated = Unit.State != TExchangeState::Untranslated;
      Insert(&Context, Unit.Source.toUtf8(), bTranslated ? Unit.Target.toUtf8() : QByteArray(""),
             Unit.State == TExchangeState::NeedsReview);
    }
    po_message_iterator_free(Iterator);
    TPoCall Call;
    if (!WritePoFile(Call, File.get(), Path.constData()) || Call.Errors > 0)
      throw EExchangeFileError(QStringLiteral("Cannot write the PO file: %1").arg(Call.FirstError));
  }
  // The library wrote the file anew under its name.
  QFile Written(Temporary.fileName());
  if (!Written.open(QIODevice::ReadOnly))
    throw EFOpenError(Temporary.fileName(), Written.errorString());
  while (!Written.atEnd())
    ZrLang_WriteBuffer(Stream, Written.read(1 << 20));
  return LeftOut;
}

namespace {

// A PO file in UTF-8: one in another charset (its header's Content-Type
// names it) is converted, and its header then names UTF-8.
QByteArray InUtf8(QByteArray Bytes) {
  // The header is the first message; its fields are ASCII in every charset.
  const QByteArrayView Head = QByteArrayView(Bytes).first(std::min<qsizetype>(Bytes.size(), 16384));
  const qsizetype End = Head.indexOf("\n\n");
  const QByteArrayView Header = End < 0 ? Head : Head.first(End);
  const qsizetype At = Header.toByteArray().toLower().indexOf("charset=");
  if (At < 0)
    return Bytes;
  qsizetype NameEnd = At + 8;
  while (NameEnd < Header.size() && !QByteArrayView(" ;\\\"\r\n").contains(Header[NameEnd]))
    ++NameEnd;
  const QByteArray Charset = Header.sliced(At + 8, NameEnd - At - 8).toByteArray();
  const QByteArray Lower = Charset.toLower();
  // "CHARSET" is a template's placeholder.
  if (Lower.isEmpty() || Lower == "utf-8" || Lower == "utf8" || Lower == "ascii" ||
      Lower == "us-ascii" || Lower == "charset")
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

QString Utf8(const char *Text) {
  return Text ? QString::fromUtf8(Text) : QString();
}

} // namespace

TExchangeCatalog ReadPo(QIODevice &Stream) {
  QTemporaryFile Temporary;
  OpenTemporary(Temporary);
  ZrLang_WriteBuffer(Temporary, InUtf8(Stream.readAll()));
  if (!Temporary.flush())
    throw EExchangeFileError(
        QStringLiteral("Cannot write a temporary file: %1").arg(Temporary.errorString()));
  const QByteArray Path = QFile::encodeName(Temporary.fileName());

  const QMutexLocker Lock(&PoMutex);
  UseBytewiseText();
  TPoCall Call;
  const TPoFile File(ReadPoFile(Call, Path.constData()));
  if (!File || Call.Errors > 0)
    FailPo(Call.FirstError.isEmpty() ? QStringLiteral("cannot be read") : Call.FirstError);

  TExchangeCatalog Catalog;
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
      if (po_message_is_obsolete(Message) || (!Context && Id && !*Id))
        continue;
      TExchangeUnit Unit;
      Unit.Source = Utf8(Id);
      Unit.Context = Utf8(Context);
      Unit.Target = Utf8(po_message_msgid_plural(Message) ? po_message_msgstr_plural(Message, 0)
                                                          : po_message_msgstr(Message));
      Unit.State = Unit.Target.isEmpty()          ? TExchangeState::Untranslated
                   : po_message_is_fuzzy(Message) ? TExchangeState::NeedsReview
                                                  : TExchangeState::Translated;
      Catalog.Units.push_back(std::move(Unit));
    }
    po_message_iterator_free(Iterator);
  }
  return Catalog;
}
