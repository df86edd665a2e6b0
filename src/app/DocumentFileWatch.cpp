#include "DocumentFileWatch.h"

#include "TranslationDocument.h"

#include <QFileInfo>

TDocumentFileWatch::TDocumentFileWatch(QObject *Parent) : QObject(Parent) {
  // Editors and version control often replace a file rather than write it,
  // which ends the watch on it: CheckNow watches again.
  connect(&FWatcher, &QFileSystemWatcher::fileChanged, this, [this] { CheckNow(); });
}

TDocumentFileWatch::TStamp TDocumentFileWatch::StampOf(const QString &Path) {
  TStamp S;
  S.Path = Path;
  if (Path.isEmpty())
    return S;
  const QFileInfo Info(Path);
  S.Exists = Info.exists();
  if (S.Exists) {
    S.Size = Info.size();
    S.Modified = Info.lastModified().toMSecsSinceEpoch();
  }
  return S;
}

void TDocumentFileWatch::Attach(TTranslationDocument *Doc) {
  FDoc = Doc != nullptr && Doc->IsOpen() ? Doc : nullptr;
  Acknowledge();
}

void TDocumentFileWatch::Acknowledge() {
  if (FDoc == nullptr) {
    FKnown = {};
  } else {
    FKnown = {StampOf(FDoc->SourceFilename()), StampOf(FDoc->DisplayFilename()),
              StampOf(FDoc->TranslationFilename())};
  }
  Rewatch();
}

void TDocumentFileWatch::Rewatch() {
  if (!FWatcher.files().isEmpty())
    FWatcher.removePaths(FWatcher.files());
  for (const TStamp &S : FKnown)
    if (S.Exists)
      FWatcher.addPath(S.Path);
}

void TDocumentFileWatch::CheckNow() {
  if (FDoc == nullptr)
    return;
  for (int F = wfSource; F <= wfTranslation; ++F) {
    TStamp &Known = FKnown[size_t(F)];
    if (Known.Path.isEmpty() || Known.Announced)
      continue;
    if (!(StampOf(Known.Path) == Known)) {
      Known.Announced = true;
      Q_EMIT FileChanged(TFile(F));
    }
  }
  // A file written anew under its name is watched again.
  for (const TStamp &S : FKnown)
    if (!S.Path.isEmpty() && QFileInfo::exists(S.Path) && !FWatcher.files().contains(S.Path))
      FWatcher.addPath(S.Path);
}

bool TDocumentFileWatch::TranslationChangedOnDisk() const {
  const TStamp &Known = FKnown[wfTranslation];
  return FDoc != nullptr && !Known.Path.isEmpty() && !(StampOf(Known.Path) == Known);
}
