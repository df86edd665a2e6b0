#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <array>

class TTranslationDocument;

// Notices when another program changes or removes one of an open document's
// files: the file system's notifications, and CheckNow() (on focus-in) for
// file systems that send none. A file counts as changed when its size or
// time differs from what was seen when the document was opened or, for the
// translation, last saved; each change is announced once.
class TDocumentFileWatch : public QObject {
  Q_OBJECT

public:
  enum TFile { wfSource, wfDisplay, wfTranslation };

  explicit TDocumentFileWatch(QObject *Parent = nullptr);

  // Follows Doc's files as they are now (nullptr: none).
  void Attach(TTranslationDocument *Doc);
  // Takes the files as they are now as the known state: after a save or a
  // reload, or when the user chose to keep the open version.
  void Acknowledge();
  void CheckNow();
  // Whether the translation on disk differs from the known state.
  bool TranslationChangedOnDisk() const;

Q_SIGNALS:
  void FileChanged(TDocumentFileWatch::TFile File);

private:
  struct TStamp {
    QString Path;
    bool Exists = false;
    qint64 Size = 0;
    qint64 Modified = 0; // milliseconds since the epoch
    bool Announced = false;
    bool operator==(const TStamp &Other) const {
      return Exists == Other.Exists && Size == Other.Size && Modified == Other.Modified;
    }
  };
  static TStamp StampOf(const QString &Path);
  void Rewatch();

  TTranslationDocument *FDoc = nullptr;
  QFileSystemWatcher FWatcher;
  std::array<TStamp, 3> FKnown;
};
