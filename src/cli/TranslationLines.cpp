#include "TranslationLines.h"

#include "CodePages.h"
#include "TextCodec.h"
#include "TextOrder.h"
#include "TextUtils.h"

namespace {

QString DecodeText(QByteArrayView Bytes, unsigned CodePage) {
  QString Text;
  if (Bytes.startsWith("\xEF\xBB\xBF"))
    Text = QString::fromUtf8(Bytes.sliced(3));
  else if (Bytes.startsWith("\xFF\xFE"))
    Text = ZrLang_DecodeUtf16(Bytes.sliced(2), false);
  else if (Bytes.startsWith("\xFE\xFF"))
    Text = ZrLang_DecodeUtf16(Bytes.sliced(2), true);
  else
    Text = DecodeAnsi(Bytes, CodePage);
  const qsizetype Nul = Text.indexOf(QChar(u'\0'));
  if (Nul >= 0)
    Text.truncate(Nul);
  return Text;
}

// Sets the line of a wanted key that has none yet.
template <typename K> void Found(QHash<K, int> &Lines, const K &Key, int Line) {
  const auto It = Lines.find(Key);
  if (It != Lines.end() && It.value() == 0)
    It.value() = Line;
}

} // namespace

const QString &TTranslationLines::ComponentKey(const QString &Component) const {
  if (FLastKey.isEmpty() || Component != FLastComponent) {
    FLastComponent = Component;
    FLastKey = ZrLang_TextOrderKey(Component);
  }
  return FLastKey;
}

void TTranslationLines::WantProperty(const QString &Component, int iID) {
  FSections[ComponentKey(Component)].insert(iID, 0);
}

void TTranslationLines::WantConstant(const QString &Name) {
  FConstants.insert(ZrLang_TextOrderKey(Name), 0);
}

void TTranslationLines::Find(QByteArrayView Bytes, unsigned CodePage) {
  QHash<int, int> *Section = nullptr; // a wanted component section
  bool bInConstants = false;
  int LineNo = 0;
  ZrLang_ForEachLine(DecodeText(Bytes, CodePage), [&](QStringView RawLine) {
    ++LineNo;
    const QStringView Line = ZrLang_Trim(RawLine);
    if (Line.isEmpty() || Line[0] == u';')
      return;
    if (Line[0] == u'[') {
      if (Line.size() <= 2 || Line.back() != u']')
        return;
      const QStringView Name = ZrLang_Trim(Line.sliced(1, Line.size() - 2));
      bInConstants = ZrLang_SameText(Name, u"$CONSTANTS");
      const auto It = bInConstants ? FSections.end() : FSections.find(ZrLang_TextOrderKey(Name));
      Section = It == FSections.end() ? nullptr : &It.value();
      return;
    }
    if (!Section && !(bInConstants && !FConstants.isEmpty()))
      return;
    const qsizetype Eq = Line.indexOf(u'=');
    if (Eq < 0)
      return;
    const QStringView Key = ZrLang_Trim(Line.first(Eq));
    if (Key.isEmpty())
      return;
    if (bInConstants)
      Found(FConstants, ZrLang_TextOrderKey(Key), LineNo);
    else if (const int iID = ZrLang_StrToIntDef(Key, 0); iID > 0)
      Found(*Section, iID, LineNo);
  });
}

int TTranslationLines::PropertyLine(const QString &Component, int iID) const {
  const auto It = FSections.constFind(ComponentKey(Component));
  return It == FSections.cend() ? 0 : It.value().value(iID);
}

int TTranslationLines::ConstantLine(const QString &Name) const {
  return FConstants.value(ZrLang_TextOrderKey(Name));
}
