#include "AppMRUList.h"

#include "AppAttribs.h"
#include "CoreApplication.h"
#include "CoreError.h"

namespace {

// The history read last, from program start to program end.
QStringList GMRUList;

const int MRUReadLimit = 128;

QString DocumentIdent(int Index) {
  return QStringLiteral("Document") + QString::number(Index);
}

char16_t FoldToLower(QChar C) {
  return (C >= u'A' && C <= u'Z') ? char16_t(C.unicode() + 32) : C.unicode();
}

bool SameMRUName(QStringView A, QStringView B) {
  if (A.size() != B.size())
    return false;
  for (qsizetype I = 0; I < A.size(); ++I)
    if (FoldToLower(A[I]) != FoldToLower(B[I]))
      return false;
  return true;
}

} // namespace

QString MRUHistoryKey(TMRUKind Kind) {
  switch (Kind) {
  case mruSource:
    return QStringLiteral("MRUHistory\\Source");
  case mruDisplay:
    return QStringLiteral("MRUHistory\\Display");
  case mruTranslation:
    break;
  }
  return QStringLiteral("MRUHistory\\Translation");
}

const QStringList &LoadMRUList(TMRUKind Kind) {
  GMRUList.clear();
  try {
    TAppConfigIniFile Ini;
    const QString Key = MRUHistoryKey(Kind);
    for (int I = 0; I < MRUReadLimit; ++I) {
      const QString Name = Ini.ReadString(Key, DocumentIdent(I), QString());
      if (!Name.isEmpty())
        GMRUList.append(Name);
    }
  } catch (const std::exception &) {
    // An unreadable history is a shorter one.
  }
  return GMRUList;
}

void UpdateMRUList(const QString &FileName, TMRUKind Kind, bool Add) {
  try {
    // One store around reading and writing, so that another instance cannot
    // update the history in between; the mutex is re-entrant.
    TAppConfigIniFile Ini;
    QStringList List = LoadMRUList(Kind);
    List.removeIf([&](const QString &Name) { return SameMRUName(Name, FileName); });
    if (Add)
      List.prepend(FileName);
    while (List.size() > MRUMaxCount)
      List.removeLast();
    GMRUList = List;
    const QString Key = MRUHistoryKey(Kind);
    for (int I = 0; I < MRUMaxCount; ++I)
      Ini.WriteString(Key, DocumentIdent(I), List.value(I));
  } catch (const std::exception &E) {
    ShowMessageBox(mbkError, QString(), ExceptionMessage(E));
  }
}
