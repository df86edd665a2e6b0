#include "GridTestDocument.h"

#include <QBuffer>

const char SmallSource[] = "; a small project\n"
                           "[Form1]\n"
                           "Caption=00000001,Main window\n"
                           "Button1.Caption=00000002,&OK\n"
                           "Label1.Caption=00000005,Line1\\nLine2\\tTab\n"
                           "[Dialog.About]\n"
                           "Caption=00000001,About\n"
                           "Memo1.Text=00000003,Path C:\\\\Temp\n"
                           "[$CONSTANTS]\n"
                           "SHello=Hello\n"
                           "SMulti=First\\nSecond\n";

const char SmallTranslation[] = "LANGID=1049\n"
                                "SourceLANGID=1033\n"
                                "\n"
                                "[Form1]\n"
                                "00000001=Главное окно\n"
                                "00000002=&ОК\n"
                                "00000009=Obsolete\n"
                                "[Old.Form]\n"
                                "00000001=Gone\n"
                                "[$CONSTANTS]\n"
                                "SHello=Привет\n"
                                "SObsolete=Old\n";

const char SmallDisplay[] = "LANGID=1031\n"
                            "[Form1]\n"
                            "00000001=Hauptfenster\n"
                            "[$CONSTANTS]\n"
                            "SMulti=Erste\\nZweite\n";

namespace {

QByteArray Utf8File(const QByteArray &Text) {
  return QByteArray("\xEF\xBB\xBF") + Text;
}

} // namespace

TGridTestDocument::TGridTestDocument(const QByteArray &SourceText,
                                     const QByteArray &TranslationText, const char *DisplayText) {
  QByteArray SourceBytes = Utf8File(SourceText);
  QBuffer SourceBuffer(&SourceBytes);
  SourceBuffer.open(QIODevice::ReadOnly);
  auto Source = std::make_unique<TLangSource>(SourceBuffer, QStringLiteral("Test.zrlang"));

  QByteArray TranslationBytes = Utf8File(TranslationText);
  QBuffer TranslationBuffer(&TranslationBytes);
  TranslationBuffer.open(QIODevice::ReadOnly);
  auto Translation = std::make_unique<TZrLang_CompTranslations>();
  Translation->Text_LoadFromStream(TranslationBuffer, false);

  std::unique_ptr<TZrLang_CompTranslations> Display;
  if (DisplayText) {
    QByteArray DisplayBytes = Utf8File(DisplayText);
    QBuffer DisplayBuffer(&DisplayBytes);
    DisplayBuffer.open(QIODevice::ReadOnly);
    Display = std::make_unique<TZrLang_CompTranslations>();
    Display->Text_LoadFromStream(DisplayBuffer, false);
  }

  int C[9];
  Source->CompareStructureWith(*Translation, C[0], C[1], C[2], C[3], C[4], C[5], C[6], C[7], C[8]);
  this->Source = Source.get();
  this->Translation = Translation.get();
  this->Display = Display.get();
  Document.Adopt(std::move(Source), std::move(Translation), std::move(Display));
}
