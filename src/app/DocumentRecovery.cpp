#include "DocumentRecovery.h"

#include "TranslationDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString Suffix = u".lngrecovery"_s;

QString LockPath(const QString &Path) {
  return Path + u".lock"_s;
}

} // namespace

TDocumentRecovery::TDocumentRecovery(const QString &Folder, QObject *Parent)
    : QObject(Parent), FFolder(Folder) {
  FWriter.setMaxThreadCount(1);
  FDebounce.setSingleShot(true);
  FMaxDelay.setSingleShot(true);
  SetDelays(5000, 60000);
  connect(&FDebounce, &QTimer::timeout, this, &TDocumentRecovery::WriteNow);
  connect(&FMaxDelay, &QTimer::timeout, this, &TDocumentRecovery::WriteNow);
}

TDocumentRecovery::~TDocumentRecovery() {
  Attach(nullptr);
  FWriter.waitForDone();
}

void TDocumentRecovery::SetDelays(int DebounceMilliseconds, int MaxDelayMilliseconds) {
  FDebounce.setInterval(DebounceMilliseconds);
  FMaxDelay.setInterval(MaxDelayMilliseconds);
}

void TDocumentRecovery::SetFolder(const QString &Folder) {
  if (Folder == FFolder)
    return;
  FFolder = Folder;
  if (FPath.isEmpty())
    return;
  DeleteFile();
  WriteNow();
}

void TDocumentRecovery::Attach(TTranslationDocument *Doc) {
  disconnect(FEntriesConnection);
  disconnect(FModifiedConnection);
  Remove();
  FDoc = Doc;
  if (FDoc == nullptr)
    return;
  FEntriesConnection =
      connect(FDoc, &TTranslationDocument::EntriesChanged, this, &TDocumentRecovery::Record);
  FModifiedConnection =
      connect(FDoc, &TTranslationDocument::ModifiedChanged, this, [this](bool Modified) {
        if (Modified)
          Changed();
        else
          Remove();
      });
}

void TDocumentRecovery::Record(const std::vector<int> &Positions) {
  const TEntryTable &Table = FDoc->Entries();
  for (int P : Positions) {
    const bool Constant = Table.Kind(P) == nkConstant;
    FChanged.insert(P, {Constant ? Table.Name(P) : Table.Name(Table.Node(P).Parent),
                        Table.PropertyID(P), Constant, Table.TranslatedValue(P),
                        Table.TranslatedConstValue(P), Table.States(P).AsByte()});
  }
  Changed();
}

void TDocumentRecovery::Changed() {
  FDebounce.start();
  if (!FMaxDelay.isActive())
    FMaxDelay.start();
}

void TDocumentRecovery::Flush() {
  WriteNow();
  FWriter.waitForDone();
}

void TDocumentRecovery::WriteNow() {
  FDebounce.stop();
  FMaxDelay.stop();
  if (FDoc == nullptr || !FDoc->IsOpen() || !FDoc->Modified())
    return;
  if (FPath.isEmpty()) {
    if (!QDir().mkpath(FFolder))
      return;
    const QString Path =
        QDir(FFolder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + Suffix);
    auto Lock = std::make_unique<QLockFile>(LockPath(Path));
    if (!Lock->tryLock(0))
      return;
    FPath = Path;
    FLock = std::move(Lock);
  }
  TRecoveryData Data;
  Data.SourcePath = FDoc->SourceFilename();
  Data.DisplayPath = FDoc->DisplayFilename();
  Data.TranslationPath = FDoc->TranslationFilename();
  Data.LangIDSource = FDoc->Languages().LangIDSource;
  Data.LangIDTranslation = FDoc->Languages().LangIDTranslation;
  Data.LastChange = QDateTime::currentDateTimeUtc();
  Data.ProcessId = QCoreApplication::applicationPid();
  // A shared copy: the next edit copies the record, not this write.
  FWriter.start([Path = FPath, Data = std::move(Data), Entries = FChanged]() mutable {
    Data.Entries.reserve(size_t(Entries.size()));
    for (const TSnapshotEntry &E : std::as_const(Entries))
      Data.Entries.push_back({E.Constant ? TIgnoredProblems::ConstantEntry(E.Owner)
                                         : TIgnoredProblems::PropertyEntry(E.Owner, E.ID),
                              E.Value, E.ConstValue, E.States});
    QSaveFile File(Path);
    if (!File.open(QIODevice::WriteOnly))
      return;
    WriteRecoveryData(File, Data);
    File.commit();
  });
}

void TDocumentRecovery::Remove() {
  FDebounce.stop();
  FMaxDelay.stop();
  // Saved or closed: what was changed so far is in the file or gone.
  FChanged.clear();
  DeleteFile();
}

void TDocumentRecovery::DeleteFile() {
  if (FPath.isEmpty())
    return;
  // After the writes already started, so that none brings the file back.
  FWriter.start([Path = FPath, Lock = std::shared_ptr<QLockFile>(std::move(FLock))] {
    QFile::remove(Path);
    Lock->unlock();
  });
  FPath.clear();
}

QString DefaultRecoveryFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/recovery"_s;
}

std::vector<TAbandonedRecovery> FindAbandonedRecoveries(const QString &Folder) {
  std::vector<TAbandonedRecovery> Result;
  const QDir Dir(Folder);
  for (const QString &Name : Dir.entryList({u"*"_s + Suffix}, QDir::Files)) {
    const QString Path = Dir.filePath(Name);
    // A lock whose process is gone is stale and taken over.
    auto Lock = std::make_shared<QLockFile>(LockPath(Path));
    Lock->setStaleLockTime(0);
    if (!Lock->tryLock(0))
      continue;
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
      continue;
    if (std::optional<TRecoveryData> Data = ReadRecoveryData(File))
      Result.push_back({Path, std::move(*Data), std::move(Lock)});
  }
  std::sort(Result.begin(), Result.end(), [](const auto &A, const auto &B) {
    return A.Data.LastChange > B.Data.LastChange;
  });
  return Result;
}

void DiscardRecovery(TAbandonedRecovery &Recovery) {
  QFile::remove(Recovery.Path);
  if (Recovery.Lock)
    Recovery.Lock->unlock();
}
