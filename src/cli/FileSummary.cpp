#include "FileSummary.h"

#include "CodePages.h"
#include "Exceptions.h"
#include "Translations.h"

#include <QBuffer>
#include <QFile>

bool IsLangSourceFileName(const QString &FileName) {
  return FileName.endsWith(QStringLiteral(".zrlang"), Qt::CaseInsensitive);
}

TFileSummary SummarizeFile(const QString &FileName) {
  TFileSummary Summary;
  Summary.bLangSource = IsLangSourceFileName(FileName);
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly))
    throw EFOpenError(FileName, File.errorString());
  QByteArray Bytes = File.readAll();
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::ReadOnly);
  Summary.Encoding = DetectStreamEncoding(Buffer);
  Buffer.seek(0);
  if (Summary.bLangSource) {
    const TLangSource Source(Buffer, FileName);
    const TComponentSources &Components = Source.ComponentSources();
    Summary.Components = Components.Count();
    for (int I = 0; I < Components.Count(); ++I)
      Summary.Entries += Components.Items(I)->PropertySources().Count();
    Summary.Constants = Source.Constants().Count();
    Summary.CodePage = SystemAnsiCodePage();
  } else {
    TZrLang_CompTranslations Translation;
    Translation.Text_LoadFromStream(Buffer, false);
    Summary.Params = Translation.Params().Lines();
    Summary.Components = Translation.Count();
    for (int I = 0; I < Translation.Count(); ++I)
      Summary.Entries += Translation.Items(I)->Count();
    Summary.Constants = Translation.Constants().Count();
    Summary.CodePage = Translation.AnsiCodePage();
  }
  return Summary;
}

QString StreamEncodingName(TStreamEncoding Encoding) {
  switch (Encoding) {
  case seUTF16LE:
    return QStringLiteral("utf-16le");
  case seUTF16BE:
    return QStringLiteral("utf-16be");
  case seUTF8:
    return QStringLiteral("utf-8");
  case seNone:
    break;
  }
  return QStringLiteral("ansi");
}
