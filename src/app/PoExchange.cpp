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
  const QByteArray Text = QByteArray(Text1 ? Text1 : "") + ' ' + (Text2 ? Text2 : "");
  Record(Severity, FileName1, Line1, Text.constData());
  if (Severity == PO_SEVERITY_FATAL_ERROR)
    std::longjmp(CurrentCall->Exit, 1);
}

const po_xerror_handler Handler = {PoXError, PoXError2};

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
  Header += QStringLiteral("X-Generator: %1\n").arg(TranslationGenerator);
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

// Decodes the library's strings, which are in the file's charset.
class TPoText {
public:
  explicit TPoText(const char *Header) {
    char *Field = Header ? po_header_field(Header, "Content-Type") : nullptr;
    const QByteArray ContentType(Field ? Field : "");
    std::free(Field);
    const qsizetype At = ContentType.toLower().indexOf("charset=");
    const QByteArray Charset =
        At < 0 ? QByteArray() : ContentType.mid(At + 8).split(';').value(0).trimmed();
    // "CHARSET" is the template's placeholder.
    const QByteArray Lower = Charset.toLower();
    if (Charset.isEmpty() || Lower == "utf-8" || Lower == "utf8" || Charset == "CHARSET" ||
        Lower == "ascii" || Lower == "us-ascii")
      return;
    FDecoder.emplace(Charset.constData());
    if (!FDecoder->isValid())
      FailPo(QStringLiteral("unknown charset \"%1\"").arg(QString::fromLatin1(Charset)));
  }
  QString operator()(const char *Text) {
    if (!Text)
      return {};
    return FDecoder ? FDecoder->decode(QByteArrayView(Text)) : QString::fromUtf8(Text);
  }

private:
  std::optional<QStringDecoder> FDecoder;
};

} // namespace

TExchangeCatalog ReadPo(QIODevice &Stream) {
  QTemporaryFile Temporary;
  OpenTemporary(Temporary);
  while (!Stream.atEnd()) {
    const QByteArray Block = Stream.read(1 << 20);
    if (Block.isEmpty())
      break;
    ZrLang_WriteBuffer(Temporary, Block);
  }
  if (!Temporary.flush())
    throw EExchangeFileError(
        QStringLiteral("Cannot write a temporary file: %1").arg(Temporary.errorString()));
  const QByteArray Path = QFile::encodeName(Temporary.fileName());

  const QMutexLocker Lock(&PoMutex);
  TPoCall Call;
  const TPoFile File(ReadPoFile(Call, Path.constData()));
  if (!File || Call.Errors > 0)
    FailPo(Call.FirstError.isEmpty() ? QStringLiteral("cannot be read") : Call.FirstError);

  TExchangeCatalog Catalog;
  bool bFirstDomain = true;
  for (const char *const *Domain = po_file_domains(File.get()); *Domain; ++Domain) {
    const char *Header = po_file_domain_header(File.get(), *Domain);
    TPoText Text(Header);
    if (bFirstDomain && Header) {
      for (const auto &[Name, LangID] : {std::pair{"Language", &Catalog.TargetLangID},
                                         std::pair{"X-Source-Language", &Catalog.SourceLangID}}) {
        char *Field = po_header_field(Header, Name);
        *LangID = Field ? LangIDOfLanguageTag(Text(Field)) : 0;
        std::free(Field);
      }
      char *Project = po_header_field(Header, "Project-Id-Version");
      Catalog.Original = Text(Project);
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
      Unit.Source = Text(Id);
      Unit.Context = Context ? Text(Context) : QString();
      Unit.Target = Text(po_message_msgid_plural(Message) ? po_message_msgstr_plural(Message, 0)
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
