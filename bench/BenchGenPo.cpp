// lingrove-benchgen-po: writes the content of a language source and of a
// translation as a gettext template and catalog, for timing msgmerge against
// lingrove-cli sync on the same data.
//
//   lingrove-benchgen-po SOURCE.zrlang TRANSLATION.lng OUT.pot OUT.po
//
// Both inputs are read through the library, so the entries are exactly those
// that sync sees. Every entry becomes one message whose context keeps it
// apart from the others: "Section/ID" for a property, "$CONSTANTS/Name" for a
// constant. The template's msgid is the source's value. The catalog holds the
// translation's entries as the file has them (obsolete ones included, the
// missing ones absent), each with the source's value as msgid (the
// translation's own value when the source has no such entry) and the
// translation as msgstr.
// Files are UTF-8; values are the decoded text, so a line break is "\n" in
// the gettext escapes.
#include "Exceptions.h"
#include "LangSource.h"
#include "Translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const QString &Message) {
  std::fprintf(stderr, "lingrove-benchgen-po: %s\n", qUtf8Printable(Message));
  std::exit(1);
}

// Writes UTF-8 text in blocks of about a megabyte.
class TPoFile {
public:
  explicit TPoFile(const QString &FileName) : FFile(FileName) {
    if (!FFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
      Fail(QStringLiteral("Cannot create %1: %2").arg(FileName, FFile.errorString()));
    FBuffer.reserve(BlockSize + 4096);
  }
  ~TPoFile() { Close(); }

  // A keyword line with the value as a gettext string: one quoted string, or
  // an empty one followed by one string per line when the value holds line
  // breaks before its end, as the gettext tools write them.
  void String(const char *Keyword, QStringView Value) {
    Append(Keyword);
    Append(" ");
    const qsizetype Break = Value.indexOf(u'\n');
    if (Break >= 0 && Break + 1 < Value.size()) {
      Append("\"\"\n");
      qsizetype Start = 0;
      while (Start < Value.size()) {
        qsizetype End = Value.indexOf(u'\n', Start);
        End = End < 0 ? Value.size() : End + 1;
        Quoted(Value.mid(Start, End - Start));
        Append("\n");
        Start = End;
      }
    } else {
      Quoted(Value);
      Append("\n");
    }
    if (FBuffer.size() >= BlockSize)
      Flush();
  }
  void Append(const char *Text) { FBuffer.append(Text); }
  void Close() {
    if (!FFile.isOpen())
      return;
    Flush();
    FFile.close();
  }
  qint64 Bytes() const { return FFile.size(); }

private:
  // The decoded value in gettext's escapes; CR LF, the library's line break,
  // is written as "\n", the line break of the gettext formats.
  void Quoted(QStringView Value) {
    FBuffer.append('"');
    QString Plain;
    const auto FlushPlain = [&] {
      FBuffer.append(Plain.toUtf8());
      Plain.clear();
    };
    for (qsizetype I = 0; I < Value.size(); ++I) {
      const char16_t C = Value[I].unicode();
      if (C >= 0x20 && C != u'"' && C != u'\\') {
        Plain.append(QChar(C));
        continue;
      }
      FlushPlain();
      switch (C) {
      case u'"':
        FBuffer.append("\\\"");
        break;
      case u'\\':
        FBuffer.append("\\\\");
        break;
      case u'\t':
        FBuffer.append("\\t");
        break;
      case u'\n':
        FBuffer.append("\\n");
        break;
      case u'\r':
        if (I + 1 < Value.size() && Value[I + 1] == u'\n')
          ++I;
        FBuffer.append("\\n");
        break;
      default: {
        char Octal[8];
        std::snprintf(Octal, sizeof Octal, "\\%03o", unsigned(C));
        FBuffer.append(Octal);
      }
      }
    }
    FlushPlain();
    FBuffer.append('"');
  }

  void Flush() {
    if (FFile.write(FBuffer) != FBuffer.size())
      Fail(QStringLiteral("Cannot write %1: %2").arg(FFile.fileName(), FFile.errorString()));
    FBuffer.clear();
  }

  static constexpr qsizetype BlockSize = 1 << 20;
  QFile FFile;
  QByteArray FBuffer;
};

// The header entry; the dates are fixed so that the output depends only on
// the inputs.
void Header(TPoFile &Po, const char *Comment, const char *Language) {
  Po.Append(Comment);
  Po.Append("msgid \"\"\nmsgstr \"\"\n"
            "\"Project-Id-Version: Bench\\n\"\n"
            "\"POT-Creation-Date: 2024-01-01 00:00+0000\\n\"\n"
            "\"PO-Revision-Date: 2024-01-01 00:00+0000\\n\"\n"
            "\"Last-Translator: Benchmark\\n\"\n"
            "\"Language-Team: \\n\"\n"
            "\"Language: ");
  Po.Append(Language);
  Po.Append("\\n\"\n"
            "\"MIME-Version: 1.0\\n\"\n"
            "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
            "\"Content-Transfer-Encoding: 8bit\\n\"\n\n");
}

QString PropContext(const QString &Section, qint32 iID) {
  return Section + u'/' + QString::number(iID);
}

QString ConstContext(const QString &Name) {
  return QStringLiteral("$CONSTANTS/") + Name;
}

// gettext keeps the empty msgid for the header, and two messages of one
// context and msgid are an error; neither occurs in generated projects.
void CheckMessage(QSet<QString> &Seen, const QString &Context, const QString &MsgId) {
  if (MsgId.isEmpty())
    Fail(QStringLiteral("%1: an empty value has no gettext form").arg(Context));
  if (Seen.contains(Context))
    Fail(QStringLiteral("%1: two entries with one key").arg(Context));
  Seen.insert(Context);
}

} // namespace

int main(int argc, char *argv[]) {
  QCoreApplication App(argc, argv);
  const QStringList Args = App.arguments().mid(1);
  if (Args.size() != 4) {
    std::fprintf(stderr,
                 "usage: lingrove-benchgen-po SOURCE.zrlang TRANSLATION.lng OUT.pot OUT.po\n");
    return 2;
  }
  try {
    const TLangSource Source(Args[0]);
    TZrLang_CompTranslations Translation;
    Translation.Text_LoadFromFile(Args[1], false);

    // The source's values by context: the msgid of a catalog's message.
    QHash<QString, QString> SourceValues;
    qint64 TemplateMessages = 0, CatalogMessages = 0, Obsolete = 0;
    {
      TPoFile Pot(Args[2]);
      Header(Pot, "# Language source of a synthetic project (lingrove-benchgen-po)\n", "");
      QSet<QString> Seen;
      const TComponentSources &Comps = Source.ComponentSources();
      for (int I = 0; I < Comps.Count(); ++I) {
        const TPropertySources &Props = Comps.Items(I)->PropertySources();
        for (int J = 0; J < Props.Count(); ++J) {
          const PPropertySource P = Props.Items(J);
          const QString Context = PropContext(Comps.Items(I)->CompName(), P->iID);
          CheckMessage(Seen, Context, P->wsValue);
          Pot.String("msgctxt", Context);
          Pot.String("msgid", P->wsValue);
          Pot.Append("msgstr \"\"\n\n");
          SourceValues.insert(Context, P->wsValue);
          ++TemplateMessages;
        }
      }
      for (int I = 0; I < Source.Constants().Count(); ++I) {
        const PZrLang_Constant C = Source.Constants().Items(I);
        const QString Context = ConstContext(C->wsName);
        CheckMessage(Seen, Context, C->wsDefValue);
        Pot.String("msgctxt", Context);
        Pot.String("msgid", C->wsDefValue);
        Pot.Append("msgstr \"\"\n\n");
        SourceValues.insert(Context, C->wsDefValue);
        ++TemplateMessages;
      }
    }

    TPoFile Po(Args[3]);
    Header(Po, "# Translation of a synthetic project (lingrove-benchgen-po)\n", "ru");
    QSet<QString> Seen;
    const auto Message = [&](const QString &Context, const QString &Value) {
      const auto Found = SourceValues.constFind(Context);
      if (Found == SourceValues.cend())
        ++Obsolete;
      const QString &MsgId = Found == SourceValues.cend() ? Value : *Found;
      CheckMessage(Seen, Context, MsgId);
      Po.String("msgctxt", Context);
      Po.String("msgid", MsgId);
      Po.String("msgstr", Value);
      Po.Append("\n");
      ++CatalogMessages;
    };
    for (int I = 0; I < Translation.Count(); ++I) {
      const TZrLang_CompTranslation *Comp = Translation.Items(I);
      for (int J = 0; J < Comp->Count(); ++J)
        Message(PropContext(Comp->ComponentName(), Comp->Items(J)->iID), Comp->Items(J)->wsValue);
    }
    for (int I = 0; I < Translation.Constants().Count(); ++I) {
      const PZrLang_Constant C = Translation.Constants().Items(I);
      Message(ConstContext(C->wsName), C->wsValue);
    }
    Po.Close();
    std::printf("%s: %lld messages; %s: %lld messages, %lld obsolete, %lld missing\n",
                qUtf8Printable(Args[2]), TemplateMessages, qUtf8Printable(Args[3]), CatalogMessages,
                Obsolete, TemplateMessages - (CatalogMessages - Obsolete));
  } catch (const Exception &E) {
    Fail(QString::fromUtf8(E.what()));
  }
  return 0;
}
