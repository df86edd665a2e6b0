// The binary constants stream of TZrLang_Constants. All integers are
// little-endian. Version 3 is written; versions 2 and the unversioned layout
// (first byte 0 or 1) are read too.
#include "CodePages.h"
#include "Constants.h"
#include "SortedLoad.h"
#include "Exceptions.h"
#include "StreamIO.h"
#include "TextOrder.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <climits>

namespace {

constexpr quint8 CurrentVersion = 3;

QString ReadUStr(QIODevice &Stream) {
  const quint16 Len = ZrLang_ReadUInt16(Stream);
  const QByteArray Bytes = ZrLang_ReadBytes(Stream, qint64(Len) * 2);
  QString S(Len, Qt::Uninitialized);
  qFromLittleEndian<char16_t>(Bytes.constData(), Len, S.data());
  return S;
}

QString ReadAStr(QIODevice &Stream, unsigned CodePage) {
  const quint16 Len = ZrLang_ReadUInt16(Stream);
  return DecodeAnsi(ZrLang_ReadBytes(Stream, Len), CodePage);
}

void WriteUStr(QByteArray &Out, const QString &S) {
  // Longer strings keep the low 16 bits of their length, and that many units,
  // so that the stream stays readable.
  const quint16 Len = quint16(S.size() & 0xFFFF);
  uchar L[2];
  qToLittleEndian<quint16>(Len, L);
  Out.append(reinterpret_cast<const char *>(L), 2);
  const qsizetype Old = Out.size();
  Out.resize(Old + qsizetype(Len) * 2);
  qToLittleEndian<char16_t>(S.utf16(), Len, Out.data() + Old);
}

} // namespace

void TZrLang_Constants::SaveToStream(QIODevice &Stream) const {
  QByteArray Out;
  Out.append(char(CurrentVersion));
  Out.append(char(FAutoSaveLangSource ? 1 : 0));
  uchar N[4];
  qToLittleEndian<qint32>(Count(), N);
  Out.append(reinterpret_cast<const char *>(N), 4);
  for (const auto &Item : FItems) {
    WriteUStr(Out, Item->wsName);
    WriteUStr(Out, Item->wsValue);
  }
  ZrLang_WriteBuffer(Stream, Out);
}

void TZrLang_Constants::LoadFromStream(QIODevice &Stream) {
  Clear();
  const quint8 First = ZrLang_ReadByte(Stream);
  if (First > CurrentVersion)
    throw EZrLangError(QStringLiteral("Stream version (%1) is greater than the current one (%2)")
                           .arg(First)
                           .arg(CurrentVersion));
  const bool Unversioned = First <= 1;
  FAutoSaveLangSource = Unversioned ? First != 0 : ZrLang_ReadByte(Stream) != 0;
  const qint32 N = ZrLang_ReadInt32(Stream);
  const unsigned ValueCodePage = Unversioned ? LangIDCodePage(LangID()) : 0;
  // Sorted once at the end, so that any order reads in n log n time; what
  // came before a failing record stays, as if each had been added in turn.
  TZrLang_SortedLoad<TZrLang_Constant> Loaded;
  const auto Keep = [&](int Limit) {
    int DupPos;
    const TZrLang_Constant *Dup = Loaded.Sort(
        [](const TZrLang_Constant &A, const TZrLang_Constant &B) {
          return ZrLang_CompareText(A.wsName, B.wsName);
        },
        DupPos);
    const QString DupName = Dup ? Dup->wsName : QString();
    Loaded.TakeBefore(std::min(Limit, DupPos),
                      [this](int, auto Items) { MergeSorted(std::move(Items)); });
    if (DupPos < Limit)
      throw DuplicateNameError(DupName);
  };
  qint32 I = 0;
  try {
    for (; I < N; ++I) {
      const QString Name = First == 3 ? ReadUStr(Stream) : ReadAStr(Stream, 0);
      const QString Value = Unversioned ? ReadAStr(Stream, ValueCodePage) : ReadUStr(Stream);
      if (!IsValidName(Name))
        throw InvalidNameError(Name);
      Loaded.Append(I, std::make_unique<TZrLang_Constant>(TZrLang_Constant{Name, Value, Value, {}}));
    }
  } catch (...) {
    Keep(I);
    throw;
  }
  Keep(INT_MAX);
}

bool TZrLang_Constants::LoadFromResource(const QString &wsResName) {
  QFile Resource(QStringLiteral(":/") + wsResName);
  if (!Resource.open(QIODevice::ReadOnly))
    return false;
  LoadFromStream(Resource);
  return true;
}

QByteArray TZrLang_Constants::AsRawString() const {
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  SaveToStream(Buffer);
  return Bytes;
}

void TZrLang_Constants::SetAsRawString(const QByteArray &Value) {
  if (Value.isEmpty())
    return;
  QByteArray Copy = Value;
  QBuffer Buffer(&Copy);
  Buffer.open(QIODevice::ReadOnly);
  LoadFromStream(Buffer);
}
