#include "SpellingSession.h"

#include "AppAttribs.h"
#include "Languages.h"
#include "PersonalWordList.h"

TSpellingSession::TSpellingSession(QObject *Parent) : QObject(Parent) {}

TSpellingSession::~TSpellingSession() = default;

bool TSpellingSession::Open(quint16 LangID) {
  QString Tag;
  std::unique_ptr<TSpellChecker> Checker =
      OpenSystemSpellChecker(SpellingLanguageTags(LangID), &Tag);
  if (!Checker) {
    Close();
    return false;
  }
  Open(std::move(Checker), Tag);
  return true;
}

void TSpellingSession::Open(std::unique_ptr<TSpellChecker> Checker, const QString &Tag) {
  auto Personal = std::make_unique<TPersonalWordList>(PersonalWordListFile(Tag));
  for (const QString &Word : Personal->Words())
    Checker->AddToPersonal(Word);
  {
    QMutexLocker Lock(&FMutex);
    FChecker = std::move(Checker);
    FPersonal = std::move(Personal);
    FTag = Tag;
    FCache.clear();
  }
  Q_EMIT Changed();
}

void TSpellingSession::Close() {
  {
    QMutexLocker Lock(&FMutex);
    if (!FChecker)
      return;
    FChecker.reset();
    FPersonal.reset();
    FTag.clear();
    FCache.clear();
  }
  Q_EMIT Changed();
}

bool TSpellingSession::IsOpen() const {
  QMutexLocker Lock(&FMutex);
  return FChecker != nullptr;
}

QString TSpellingSession::Tag() const {
  QMutexLocker Lock(&FMutex);
  return FTag;
}

bool TSpellingSession::Check(const QString &Word) {
  QMutexLocker Lock(&FMutex);
  if (!FChecker)
    return true;
  const auto Found = FCache.constFind(Word);
  if (Found != FCache.cend())
    return *Found;
  const bool Correct = FChecker->Check(Word);
  FCache.insert(Word, Correct);
  return Correct;
}

QStringList TSpellingSession::Suggest(const QString &Word, int Max) {
  QMutexLocker Lock(&FMutex);
  return FChecker ? FChecker->Suggest(Word, Max) : QStringList();
}

void TSpellingSession::AddToPersonal(const QString &Word) {
  if (!IsOpen())
    return;
  // Accepted even when the file fails: the user said the word is right.
  Accept(Word);
  FPersonal->Add(Word);
}

void TSpellingSession::IgnoreForSession(const QString &Word) {
  if (IsOpen())
    Accept(Word);
}

void TSpellingSession::Accept(const QString &Word) {
  {
    QMutexLocker Lock(&FMutex);
    FChecker->IgnoreForSession(Word);
    // The dictionary may take other forms of the word along (capitalized).
    FCache.clear();
  }
  Q_EMIT Changed();
}

QString TSpellingSession::PersonalWordListFile(const QString &Tag) {
  const QString Folder = AppSettingsFolder();
  return Folder.isEmpty() ? QString() : Folder + QStringLiteral("Words.%1.txt").arg(Tag);
}
