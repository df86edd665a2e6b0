// lingrove-langtool SOURCE.zrlang LANGDATA_DIR
//
// Builds every form of the program with its language controller, updates the
// controller's entries in modify mode (known properties keep their IDs, new
// ones get fresh IDs) and writes LANGDATA_DIR/<Section>.langdata for each form
// and the language source: every form's section, then the constants.
// scripts/update-language-files runs it on the committed files.
#include "Exceptions.h"
#include "FormRegistry.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "TextCodec.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QSaveFile>
#include <cstdio>

namespace {

void WriteFile(const QString &FileName, const QByteArray &Bytes) {
  QSaveFile Out(FileName);
  if (!Out.open(QIODevice::WriteOnly) || Out.write(Bytes) != Bytes.size() || !Out.commit())
    throw EFCreateError(FileName, Out.errorString());
}

void AppendSection(QStringList &Lines, const QString &Name, const QStringList &Body) {
  Lines.append(u'[' + Name + u']');
  Lines.append(Body);
  Lines.append(QString());
}

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  const QStringList Args = App.arguments();
  if (Args.size() != 3) {
    std::fprintf(stderr, "usage: lingrove-langtool SOURCE.zrlang LANGDATA_DIR\n");
    return 64;
  }
  try {
    const QString SourceFile = Args.at(1);
    const QDir LangDataDir(Args.at(2));
    if (!LangDataDir.mkpath(QStringLiteral(".")))
      throw EFCreateError(LangDataDir.path(), QStringLiteral("The folder cannot be created."));

    QStringList Lines;
    for (const TFormDescriptor &Form : LingroveForms()) {
      const std::unique_ptr<QWidget> Widget = Form.Create();
      auto *Controller = Widget->findChild<TZrLanguageController *>();
      if (!Controller || Controller->ActualSectionName() != Form.SectionName)
        throw EZrLangError(QStringLiteral("Form %1 has no language controller of its section")
                               .arg(Form.SectionName));
      QByteArray Data;
      {
        QBuffer Buffer(&Data);
        Buffer.open(QIODevice::WriteOnly);
        if (!Controller->WriteLangData(Buffer))
          throw EZrLangError(QStringLiteral("Form %1 has no name").arg(Form.SectionName));
      }
      WriteFile(LangDataDir.filePath(Form.SectionName + QStringLiteral(".langdata")), Data);
      QStringList Body;
      Controller->WriteSourceLines(Body, {});
      AppendSection(Lines, Controller->GetSourceSectionName(), Body);
    }
    QStringList Constants;
    LangManager().Constants().WriteSourceLines(Constants, {});
    AppendSection(Lines, LangManager().Constants().GetSourceSectionName(), Constants);

    QByteArray Source("\xFF\xFE");
    for (const QString &Line : Lines) {
      ZrLang_AppendUtf16LE(Source, Line);
      ZrLang_AppendUtf16LE(Source, u"\r\n");
    }
    WriteFile(SourceFile, Source);
  } catch (const Exception &E) {
    std::fprintf(stderr, "lingrove-langtool: %s\n", E.what());
    return 2;
  }
  return 0;
}
