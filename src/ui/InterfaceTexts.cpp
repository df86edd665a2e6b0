#include "InterfaceTexts.h"

#include "AppConstants.h"
#include "LanguageManager.h"
#include "Localization.h"

#include <QCoreApplication>
#include <QHash>
#include <cstring>

namespace {

struct TStandardText {
  const char *Context;
  const char *SourceText;
  const char16_t *Constant;
};

// Qt's texts for the buttons the program shows, as Qt asks for them.
constexpr TStandardText StandardTexts[] = {
    {"QPlatformTheme", "OK", u"SDialogButtonOK"},
    {"QPlatformTheme", "Cancel", u"SDialogButtonCancel"},
    {"QPlatformTheme", "&Yes", u"SDialogButtonYes"},
    {"QPlatformTheme", "&No", u"SDialogButtonNo"},
    {"QPlatformTheme", "Close", u"SDialogButtonClose"},
    {"QPlatformTheme", "Help", u"SDialogButtonHelp"},
    {"QPlatformTheme", "Apply", u"SDialogButtonApply"},
    {"QPlatformTheme", "Save", u"SDialogButtonSave"},
    {"QPlatformTheme", "Open", u"SDialogButtonOpen"},
    {"QFileDialog", "&Open", u"SDialogButtonOpen"},
    {"QFileDialog", "&Save", u"SDialogButtonSave"},
    {"QFileDialog", "&Choose", u"SDialogButtonChoose"},
};

const QString &EnglishText(QStringView Name) {
  static const QString None;
  static const QHash<QStringView, QString> Texts = [] {
    QHash<QStringView, QString> Result;
    for (const TAppConstant &C : AppConstants())
      Result.insert(QStringView(C.Name), QString::fromUtf16(C.DefaultText));
    return Result;
  }();
  const auto It = Texts.constFind(Name);
  return It == Texts.constEnd() ? None : *It;
}

} // namespace

QString TranslatedConstant(QStringView Name) {
  QString Text = LangConstant(Name);
  return Text == EnglishText(Name) ? QString() : Text;
}

QString TStandardTextsTranslator::translate(const char *Context, const char *SourceText,
                                            const char *, int) const {
  if (Context == nullptr || SourceText == nullptr)
    return {};
  for (const TStandardText &T : StandardTexts)
    if (std::strcmp(T.Context, Context) == 0 && std::strcmp(T.SourceText, SourceText) == 0)
      return TranslatedConstant(T.Constant);
  return {};
}

void InstallInterfaceTexts() {
  Localizer::SetLookup(&TranslatedConstant);
  QCoreApplication::installTranslator(
      new TStandardTextsTranslator(QCoreApplication::instance()));
}
