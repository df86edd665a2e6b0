#include "SharedText.h"

#include "Escaping.h"

TZrLang_SharedText::TZrLang_SharedText(QString Text) : FText(std::move(Text)) {
  FText.detach();
}

QString TZrLang_SharedText::Slice(QStringView Part) {
  if (Part.isEmpty())
    return Part.toString();
  QString::DataPointer Shared = FText.data_ptr(); // one more reference
  const qsizetype End = (Part.utf16() - Shared.data()) + Part.size();
  Q_ASSERT(Part.utf16() >= Shared.data() && End <= Shared.size);
  if (End < Shared.size)
    Shared.data()[End] = u'\0';
  Shared.ptr = const_cast<char16_t *>(Part.utf16());
  Shared.size = Part.size();
  return QString(std::move(Shared));
}

QString TZrLang_SharedText::Decoded(QStringView Escaped) {
  if (Escaped.contains(u'\\'))
    return DecodeControlChars(Escaped);
  return Slice(Escaped);
}
