#include "RecoveryFile.h"

#include "Escaping.h"

#include <QIODevice>

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView Magic = "LingroveRecovery=1\n";

void WriteLine(QIODevice &Out, QStringView Name, QStringView Value) {
  Out.write((Name.toString() + u'=' + EncodeControlChars(Value) + u'\n').toUtf8());
}

} // namespace

void WriteRecoveryData(QIODevice &Out, const TRecoveryData &Data) {
  Out.write(Magic.data(), Magic.size());
  WriteLine(Out, u"Source", Data.SourcePath);
  WriteLine(Out, u"Display", Data.DisplayPath);
  WriteLine(Out, u"Translation", Data.TranslationPath);
  WriteLine(Out, u"SourceLANGID", QString::number(Data.LangIDSource));
  WriteLine(Out, u"LANGID", QString::number(Data.LangIDTranslation));
  WriteLine(Out, u"LastChange", Data.LastChange.toUTC().toString(Qt::ISODateWithMs));
  WriteLine(Out, u"ProcessID", QString::number(Data.ProcessId));
  WriteLine(Out, u"Entries", QString::number(Data.Entries.size()));
  QString Line;
  for (const TRecoveryEntry &E : Data.Entries) {
    Line.clear();
    AppendEncodedControlChars(Line, E.Key);
    Line += u'\t' + QString::number(E.States) + u'\t';
    AppendEncodedControlChars(Line, E.Value);
    Line += u'\t';
    AppendEncodedControlChars(Line, E.ConstValue);
    Line += u'\n';
    Out.write(Line.toUtf8());
  }
  // The count above and this line tell a complete file from a cut one.
  Out.write("End\n");
}

std::optional<TRecoveryData> ReadRecoveryData(QIODevice &In) {
  const QByteArray Bytes = In.readAll();
  if (!Bytes.startsWith(Magic) || !Bytes.endsWith("\nEnd\n"))
    return std::nullopt;
  const QString Text = QString::fromUtf8(Bytes);
  const QList<QStringView> Lines = QStringView(Text).split(u'\n');
  TRecoveryData Data;
  qsizetype Count = -1;
  qsizetype I = 1;
  for (; I < Lines.size() && Count < 0; ++I) {
    const qsizetype Eq = Lines[I].indexOf(u'=');
    if (Eq < 0)
      return std::nullopt;
    const QStringView Name = Lines[I].first(Eq);
    const QString Value = DecodeControlChars(Lines[I].sliced(Eq + 1));
    if (Name == u"Source")
      Data.SourcePath = Value;
    else if (Name == u"Display")
      Data.DisplayPath = Value;
    else if (Name == u"Translation")
      Data.TranslationPath = Value;
    else if (Name == u"SourceLANGID")
      Data.LangIDSource = Value.toUShort();
    else if (Name == u"LANGID")
      Data.LangIDTranslation = Value.toUShort();
    else if (Name == u"LastChange")
      Data.LastChange = QDateTime::fromString(Value, Qt::ISODateWithMs);
    else if (Name == u"ProcessID")
      Data.ProcessId = Value.toLongLong();
    else if (Name == u"Entries")
      Count = Value.toLongLong();
  }
  // The entries, "End" and the empty rest after the last line break.
  if (Count < 0 || Data.SourcePath.isEmpty() || Lines.size() - I != Count + 2)
    return std::nullopt;
  Data.Entries.reserve(size_t(Count));
  for (qsizetype E = 0; E < Count; ++E, ++I) {
    const QList<QStringView> Fields = Lines[I].split(u'\t');
    if (Fields.size() != 4)
      return std::nullopt;
    bool Ok = false;
    const uint States = Fields[1].toUInt(&Ok);
    if (!Ok || States > 3)
      return std::nullopt;
    Data.Entries.push_back({DecodeControlChars(Fields[0]), DecodeControlChars(Fields[2]),
                            DecodeControlChars(Fields[3]), quint8(States)});
  }
  return Data;
}
