#include "SharedText.h"

#include "Escaping.h"
#include "LargeBuffer.h"

#include <algorithm>
#include <cstring>

namespace {

// The size of the blocks after the first, for a text that outgrows its size
// hint: large enough to take whole huge pages where the system offers them.
constexpr qsizetype BlockChars = 4 * 1024 * 1024;

} // namespace

TZrLang_SharedText::TZrLang_SharedText(qsizetype SizeHint)
    : FNextSize(std::max(SizeHint, qsizetype(64))) {}

TZrLang_SharedText::~TZrLang_SharedText() {
  if (FBlock.isNull())
    return;
  // Nothing reads past the last piece's '\0': a piece that comes to own the
  // block alone and grows in place writes there before it reads.
  char16_t *Data = FBlock.data_ptr().data();
  ZrLang_ReleaseUnusedPages(Data + FUsed, (FBlock.size() - FUsed) * qsizetype(sizeof(char16_t)));
}

QString TZrLang_SharedText::Keep(QStringView Part) {
  if (Part.isEmpty())
    return Part.toString();
  const qsizetype Need = Part.size() + 1;
  if (FBlock.size() - FUsed < Need)
    StartBlock(Need);
  // Through the shared pointer: writing through the string would detach it
  // from the pieces already kept.
  QString::DataPointer Shared = FBlock.data_ptr(); // one more reference
  char16_t *Out = Shared.data() + FUsed;
  std::memcpy(Out, Part.utf16(), size_t(Part.size()) * sizeof(char16_t));
  Out[Part.size()] = u'\0';
  FUsed += Need;
  Shared.ptr = Out;
  Shared.size = Part.size();
  return QString(std::move(Shared));
}

QString TZrLang_SharedText::Decoded(QStringView Escaped) {
  if (Escaped.contains(u'\\'))
    return DecodeControlChars(Escaped);
  return Keep(Escaped);
}

void TZrLang_SharedText::StartBlock(qsizetype Need) {
  const qsizetype Size = std::max(Need, FNextSize);
  // Pages of the block are touched only as pieces fill it, so that a block
  // as large as the whole file costs only what is kept.
  FBlock = QString(Size, Qt::Uninitialized);
  ZrLang_AdviseLargeBuffer(FBlock.data_ptr().data(), Size * qsizetype(sizeof(char16_t)));
  FUsed = 0;
  FNextSize = BlockChars;
}
