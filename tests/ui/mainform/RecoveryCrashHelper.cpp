// Opens a document, edits it, lets its recovery file be written and dies
// without a chance to clean up, as a crashed editor would.
//   recovery_crash_helper SOURCE TRANSLATION FOLDER KEY VALUE UNTRANSLATED-KEY
#include "DocumentRecovery.h"
#include "TranslationDocument.h"

#include <QCoreApplication>
#include <csignal>

int main(int argc, char **argv) {
  QCoreApplication App(argc, argv);
  const QStringList A = QCoreApplication::arguments();
  if (A.size() != 7)
    return 64;
  TTranslationDocument Doc;
  Doc.Load(A[1], QString(), A[2]);
  TDocumentRecovery Recovery(A[3]);
  Recovery.Attach(&Doc);
  Doc.SetValues({Doc.FindEntryKey(A[4])}, A[5], QStringLiteral("Typing"));
  Doc.ChangeStates({Doc.FindEntryKey(A[6])}, {zrtsUntranslated}, {}, QStringLiteral("Mark"));
  Recovery.Flush();
  std::raise(SIGKILL);
  return 1;
}
