#pragma once

#include "RecoveryFile.h"

#include <QHash>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <memory>

class QLockFile;
class TTranslationDocument;

// Keeps a recovery file for an open document while it has unsaved changes,
// in a folder of its own: written a short while after the last edit (and at
// least every MaxDelay while edits go on), removed once the document is
// saved, closed or detached. The snapshot of the changed entries is taken on
// the calling thread (their texts are shared, not copied); encoding and
// writing happen on a worker thread, one write at a time and in order.
//
// Each file is held by a lock file for as long as its writer lives, so that
// another instance can tell a file whose program is gone from one in use.
class TDocumentRecovery : public QObject {
  Q_OBJECT

public:
  // Folder is created when the first file is written.
  explicit TDocumentRecovery(const QString &Folder, QObject *Parent = nullptr);
  // Waits for the writes and removes the file: a normal end.
  ~TDocumentRecovery() override;

  // Follows Doc (nullptr: none); Doc must outlive this or be detached first.
  void Attach(TTranslationDocument *Doc);
  void SetDelays(int DebounceMilliseconds, int MaxDelayMilliseconds);
  // Keeps the file in Folder from now on: one already written there moves
  // at once, so that no other folder holds this document's changes.
  void SetFolder(const QString &Folder);
  const QString &Folder() const { return FFolder; }
  // Takes the snapshot when there are unsaved changes and hands it to the
  // worker; returns at once.
  void WriteNow();
  // WriteNow, then waits until the file is written.
  void Flush();
  // The file this writer keeps; empty until the first write.
  const QString &FilePath() const { return FPath; }

private:
  // A changed entry as the interface thread records it.
  struct TSnapshotEntry {
    QString Owner; // the component of a property, the name of a constant
    qint32 ID;
    bool Constant;
    QString Value;
    QString ConstValue;
    quint8 States;
  };
  void Record(const std::vector<int> &Positions);
  void Changed();
  void Remove();
  // Deletes the file after the writes already started; the record stays.
  void DeleteFile();

  QString FFolder;
  TTranslationDocument *FDoc = nullptr;
  QMetaObject::Connection FEntriesConnection, FModifiedConnection;
  QTimer FDebounce;
  QTimer FMaxDelay;
  QThreadPool FWriter;
  QString FPath;
  std::unique_ptr<QLockFile> FLock;
  QHash<int, TSnapshotEntry> FChanged;
};

// A recovery file left by an instance that is gone, claimed for this one:
// no other instance offers it while Lock lives.
struct TAbandonedRecovery {
  QString Path;
  TRecoveryData Data;
  std::shared_ptr<QLockFile> Lock;
};

// Where recovery files are kept unless the settings name another folder:
// "recovery" in the program's application-data folder.
QString DefaultRecoveryFolder();

// The folder's recovery files whose writers are gone, newest first. Files
// that cannot be read are left alone.
std::vector<TAbandonedRecovery> FindAbandonedRecoveries(const QString &Folder);
// Deletes the file and its lock.
void DiscardRecovery(TAbandonedRecovery &Recovery);
