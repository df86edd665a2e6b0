#include "TranslationMemory.h"

#include "NetworkFileSystem.h"
#include "TextSimilarity.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int SchemaVersion = 1;
// How long a writer waits for another program's transaction.
constexpr int BusyTimeoutMs = 10000;
// The units sharing the most trigrams with the text of a fuzzy look-up
// whose similarity is computed.
constexpr int FuzzyCandidates = 100;
// How many index entries a fuzzy look-up reads at most (beyond its rarest
// trigram), which bounds its time however common the text's trigrams are.
constexpr qint64 PostingBudget = 60000;

// The distinct trigrams of a text as the index folds them (case-insensitive),
// each as its three UTF-16 units in one number.
using TTrigram = quint64;

std::vector<TTrigram> Trigrams(const QString &Text) {
  const QString Folded = Text.toLower();
  std::vector<TTrigram> Grams;
  for (qsizetype I = 0; I + 3 <= Folded.size(); ++I)
    Grams.push_back(TTrigram(Folded[I].unicode()) << 32 | TTrigram(Folded[I + 1].unicode()) << 16 |
                    TTrigram(Folded[I + 2].unicode()));
  std::sort(Grams.begin(), Grams.end());
  Grams.erase(std::unique(Grams.begin(), Grams.end()), Grams.end());
  return Grams;
}

QString TrigramText(TTrigram G) {
  const QChar Units[3] = {QChar(char16_t(G >> 32)), QChar(char16_t(G >> 16)), QChar(char16_t(G))};
  return QString(Units, 3);
}

const char *const SchemaSql = R"(
CREATE TABLE pairs(id INTEGER PRIMARY KEY, source TEXT NOT NULL, target TEXT NOT NULL,
                   UNIQUE(source, target));
CREATE TABLE origins(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE);
CREATE TABLE units(id INTEGER PRIMARY KEY, pair INTEGER NOT NULL, source TEXT NOT NULL,
                   target TEXT NOT NULL, origin INTEGER NOT NULL, entry TEXT NOT NULL,
                   time INTEGER NOT NULL, sourcekey INTEGER NOT NULL, entrykey INTEGER NOT NULL);
CREATE INDEX units_sourcekey ON units(sourcekey);
CREATE INDEX units_entrykey ON units(entrykey);
CREATE VIRTUAL TABLE units_text USING fts5(source, content='units', content_rowid='id',
                                           tokenize='trigram', detail='none');
CREATE TABLE grams(gram TEXT PRIMARY KEY, units INTEGER NOT NULL) WITHOUT ROWID;
)";

// FNV-1a over a number and the UTF-16 units of the texts, a separator after
// each: stored in the file, so it must not change between runs or machines.
qint64 Key(qint64 Number, QStringView A, QStringView B = {}) {
  quint64 H = 14695981039346656037ull;
  const auto Byte = [&H](unsigned V) { H = (H ^ (V & 0xFF)) * 1099511628211ull; };
  for (int I = 0; I < 8; ++I)
    Byte(unsigned(quint64(Number) >> (8 * I)));
  for (QStringView Text : {A, B}) {
    for (QChar C : Text) {
      Byte(C.unicode());
      Byte(C.unicode() >> 8);
    }
    Byte(0xFF);
    Byte(0xFF);
  }
  return qint64(H >> 1);
}

QString Text(sqlite3_stmt *S, int Column) {
  const auto *Data = static_cast<const char16_t *>(sqlite3_column_text16(S, Column));
  const int Bytes = sqlite3_column_bytes16(S, Column);
  return Data ? QString::fromUtf16(Data, Bytes / 2) : QString();
}

} // namespace

QString NormalizedLanguageTag(QStringView Tag) {
  QStringList Parts = Tag.trimmed().toString().replace(u'_', u'-').split(u'-', Qt::SkipEmptyParts);
  for (qsizetype I = 0; I < Parts.size(); ++I) {
    QString &P = Parts[I];
    if (I == 0)
      P = P.toLower();
    else if (P.size() == 2)
      P = P.toUpper();
    else if (P.size() == 4)
      P = P.left(1).toUpper() + P.mid(1).toLower();
    else
      P = P.toLower();
  }
  return Parts.join(u'-');
}

class TTranslationMemory::TImpl {
public:
  explicit TImpl(const QString &Path) : FPath(Path) {
    // The destructor does not run for a constructor that throws, and the
    // library allocates its handle even when opening fails.
    try {
      Open();
    } catch (...) {
      FExact.reset();
      sqlite3_close_v2(FDb);
      throw;
    }
  }

  void Open() {
    QDir().mkpath(QFileInfo(FPath).absolutePath());
    if (sqlite3_open_v2(QFile::encodeName(FPath).constData(), &FDb,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
      Fail();
    sqlite3_busy_timeout(FDb, BusyTimeoutMs);
    CheckTrigram();
    // On a network drive a rollback journal, whose locks the file server
    // keeps, lets several machines share one memory.
    SetJournalMode(IsOnNetworkFileSystem(FPath) ? "PRAGMA journal_mode=DELETE"
                                                : "PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=NORMAL");
    Exec("PRAGMA cache_size=-65536");
    OpenSchema();
  }

  ~TImpl() {
    FExact.reset();
    sqlite3_close_v2(FDb);
  }

  [[noreturn]] void Fail(const QString &Reason = QString()) {
    const QString Why = Reason.isEmpty() && FDb
                            ? QString::fromUtf8(sqlite3_errmsg(FDb))
                            : Reason;
    throw ETranslationMemoryError(
        QStringLiteral("The translation memory \"%1\" cannot be used: %2")
            .arg(QDir::toNativeSeparators(FPath), Why));
  }

  // A prepared statement, reset for its next use when the holder ends.
  class TStatement {
  public:
    TStatement(TImpl &Db, const char *Sql) : FDb(Db) {
      if (sqlite3_prepare_v2(Db.FDb, Sql, -1, &FStmt, nullptr) != SQLITE_OK)
        Db.Fail();
    }
    ~TStatement() { sqlite3_finalize(FStmt); }
    TStatement(const TStatement &) = delete;
    TStatement &operator=(const TStatement &) = delete;
    TStatement &Bind(int I, qint64 V) {
      sqlite3_bind_int64(FStmt, I, V);
      return *this;
    }
    TStatement &Bind(int I, const QString &V) {
      sqlite3_bind_text16(FStmt, I, V.utf16(), int(V.size() * 2), SQLITE_TRANSIENT);
      return *this;
    }
    // True while there is a row.
    bool Step() {
      const int Rc = sqlite3_step(FStmt);
      if (Rc == SQLITE_ROW)
        return true;
      if (Rc != SQLITE_DONE)
        FDb.Fail();
      return false;
    }
    void Run() {
      Step();
      Reset();
    }
    void Reset() {
      sqlite3_reset(FStmt);
      sqlite3_clear_bindings(FStmt);
    }
    qint64 Int(int C) const { return sqlite3_column_int64(FStmt, C); }
    QString Str(int C) const { return Text(FStmt, C); }

  private:
    TImpl &FDb;
    sqlite3_stmt *FStmt = nullptr;
  };

  void Exec(const char *Sql) {
    char *Error = nullptr;
    if (sqlite3_exec(FDb, Sql, nullptr, nullptr, &Error) != SQLITE_OK) {
      const QString Reason = QString::fromUtf8(Error ? Error : sqlite3_errmsg(FDb));
      sqlite3_free(Error);
      Fail(Reason);
    }
  }

  // Runs Work in one write transaction, taken at once so that two writers
  // queue instead of failing on upgrading a read lock.
  template <class F> auto Write(F &&Work) {
    Exec("BEGIN IMMEDIATE");
    try {
      if constexpr (std::is_void_v<decltype(Work())>) {
        Work();
        Exec("COMMIT");
      } else {
        auto Result = Work();
        Exec("COMMIT");
        return Result;
      }
    } catch (...) {
      sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
  }

  // Switching a file to WAL takes its exclusive lock without waiting (the
  // busy timeout does not apply), so two processes that open a new memory at
  // the same moment would fail here: the second tries again for as long as
  // the busy timeout.
  void SetJournalMode(const char *Sql) {
    QElapsedTimer Waited;
    Waited.start();
    for (;;) {
      const int Rc = sqlite3_exec(FDb, Sql, nullptr, nullptr, nullptr);
      if (Rc == SQLITE_OK)
        return;
      if (Rc != SQLITE_BUSY || Waited.hasExpired(BusyTimeoutMs))
        Fail();
      sqlite3_sleep(5);
    }
  }

  void CheckTrigram() {
    if (sqlite3_exec(FDb, "CREATE VIRTUAL TABLE temp.probe USING fts5(x, tokenize='trigram')",
                     nullptr, nullptr, nullptr) != SQLITE_OK)
      Fail(QStringLiteral("SQLite %1 has no FTS5 with the trigram tokenizer (SQLite 3.34 or "
                          "later built with FTS5 is needed)")
               .arg(QString::fromUtf8(sqlite3_libversion())));
    Exec("DROP TABLE temp.probe");
  }

  int UserVersion() {
    TStatement S(*this, "PRAGMA user_version");
    return S.Step() ? int(S.Int(0)) : 0;
  }

  void OpenSchema() {
    // Reading the header is the first access: a file that is not a database
    // fails here.
    if (UserVersion() == SchemaVersion)
      return;
    Write([&] {
      const int Version = UserVersion();
      if (Version == SchemaVersion)
        return;
      if (Version > SchemaVersion)
        Fail(QStringLiteral("it was made by a newer version of the program (schema %1)")
                 .arg(Version));
      TStatement Tables(*this, "SELECT count(*) FROM sqlite_schema");
      if (Tables.Step() && Tables.Int(0) > 0)
        Fail(QStringLiteral("the file is a database of another kind"));
      Exec(SchemaSql);
      Exec(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion).toUtf8().constData());
    });
  }

  // The id of the pair, 0 when it is not stored and bCreate is false.
  qint64 PairId(const QString &SourceLang, const QString &TargetLang, bool bCreate) {
    const QString S = NormalizedLanguageTag(SourceLang), T = NormalizedLanguageTag(TargetLang);
    const QString CacheKey = S + u'\n' + T;
    if (const auto It = FPairs.constFind(CacheKey); It != FPairs.cend())
      return *It;
    TStatement Find(*this, "SELECT id FROM pairs WHERE source=? AND target=?");
    Find.Bind(1, S).Bind(2, T);
    qint64 Id = Find.Step() ? Find.Int(0) : 0;
    if (Id == 0 && bCreate) {
      TStatement Insert(*this, "INSERT INTO pairs(source, target) VALUES(?, ?)");
      Insert.Bind(1, S).Bind(2, T).Run();
      Id = sqlite3_last_insert_rowid(FDb);
    }
    // Ids cached only once committed would be safer, but a rolled-back pair
    // is re-created by the next Add under the same id.
    if (Id != 0)
      FPairs.insert(CacheKey, Id);
    return Id;
  }

  qint64 OriginId(const QString &Path) {
    if (const auto It = FOrigins.constFind(Path); It != FOrigins.cend())
      return *It;
    TStatement Find(*this, "SELECT id FROM origins WHERE path=?");
    Find.Bind(1, Path);
    qint64 Id = Find.Step() ? Find.Int(0) : 0;
    if (Id == 0) {
      TStatement Insert(*this, "INSERT INTO origins(path) VALUES(?)");
      Insert.Bind(1, Path).Run();
      Id = sqlite3_last_insert_rowid(FDb);
    }
    FOrigins.insert(Path, Id);
    return Id;
  }

  int Add(const std::vector<TMemoryUnit> &Units) {
    return Write([&] {
      // A failed transaction leaves ids in the caches that it did not keep.
      FPairs.clear();
      FOrigins.clear();
      TStatement Find(*this, "SELECT id, time FROM units WHERE sourcekey=? AND source=? AND target=?");
      TStatement Insert(*this, "INSERT INTO units(pair, source, target, origin, entry, time, "
                               "sourcekey, entrykey) VALUES(?, ?, ?, ?, ?, ?, ?, ?)");
      TStatement Index(*this, "INSERT INTO units_text(rowid, source) VALUES(?, ?)");
      TStatement Touch(*this, "UPDATE units SET origin=?, entry=?, time=?, entrykey=? WHERE id=?");
      // How many new units hold each trigram, added up at the end.
      QHash<TTrigram, qint64> Grams;
      int Added = 0;
      for (const TMemoryUnit &U : Units) {
        if (U.Source.isEmpty() || U.Target.isEmpty() || U.SourceLang.isEmpty() ||
            U.TargetLang.isEmpty())
          continue;
        const qint64 Pair = PairId(U.SourceLang, U.TargetLang, true);
        const qint64 Origin = OriginId(U.Origin);
        const qint64 SourceKey = Key(Pair, U.Source);
        const qint64 EntryKey = Key(Pair, U.Origin, U.Entry);
        Find.Bind(1, SourceKey).Bind(2, U.Source).Bind(3, U.Target);
        if (Find.Step()) {
          const qint64 Id = Find.Int(0), Time = Find.Int(1);
          Find.Reset();
          if (U.Time >= Time)
            Touch.Bind(1, Origin).Bind(2, U.Entry).Bind(3, U.Time).Bind(4, EntryKey).Bind(5, Id).Run();
          continue;
        }
        Find.Reset();
        Insert.Bind(1, Pair).Bind(2, U.Source).Bind(3, U.Target).Bind(4, Origin).Bind(5, U.Entry);
        Insert.Bind(6, U.Time).Bind(7, SourceKey).Bind(8, EntryKey).Run();
        Index.Bind(1, sqlite3_last_insert_rowid(FDb)).Bind(2, U.Source).Run();
        for (const TTrigram G : Trigrams(U.Source))
          ++Grams[G];
        ++Added;
      }
      TStatement Count(*this, "INSERT INTO grams(gram, units) VALUES(?, ?) "
                              "ON CONFLICT(gram) DO UPDATE SET units=units+excluded.units");
      for (auto It = Grams.cbegin(); It != Grams.cend(); ++It)
        Count.Bind(1, TrigramText(It.key())).Bind(2, It.value()).Run();
      return Added;
    });
  }

  TMemoryUnit UnitOfRow(const TStatement &S, const QString &SourceLang, const QString &TargetLang) {
    // Columns: source, target, origin path, entry, time.
    return TMemoryUnit{NormalizedLanguageTag(SourceLang), NormalizedLanguageTag(TargetLang),
                       S.Str(0), S.Str(1), S.Str(2), S.Str(3), S.Int(4)};
  }

  std::vector<TMemoryMatch> Lookup(const QString &SourceLang, const QString &TargetLang,
                                   const QString &Source, int MaxCount, double MinSimilarity) {
    std::vector<TMemoryMatch> Result;
    const qint64 Pair = PairId(SourceLang, TargetLang, false);
    if (Pair == 0 || MaxCount <= 0 || Source.isEmpty())
      return Result;
    QSet<QString> Targets;
    {
      TStatement Exact(*this, "SELECT u.source, u.target, o.path, u.entry, u.time FROM units u "
                              "JOIN origins o ON o.id=u.origin WHERE u.sourcekey=? AND u.source=? "
                              "ORDER BY u.time DESC, u.id DESC");
      Exact.Bind(1, Key(Pair, Source)).Bind(2, Source);
      while (int(Result.size()) < MaxCount && Exact.Step()) {
        TMemoryMatch M{UnitOfRow(Exact, SourceLang, TargetLang), 1.0, true};
        if (!Targets.contains(M.Unit.Target)) {
          Targets.insert(M.Unit.Target);
          Result.push_back(std::move(M));
        }
      }
    }
    if (int(Result.size()) >= MaxCount)
      return Result;

    const std::vector<qint64> Candidates = FuzzyCandidateIds(Source, MinSimilarity);
    if (Candidates.empty())
      return Result;
    // A text's similarity to Source is at least MinSimilarity only when its
    // length is within these bounds.
    const double Min = std::max(MinSimilarity, 0.01);
    const qint64 Shortest = qint64(std::ceil(double(Source.size()) * Min - 1e-9));
    const qint64 Longest = qint64(std::floor(double(Source.size()) / Min + 1e-9));
    TStatement Fuzzy(*this, "SELECT u.source, u.target, o.path, u.entry, u.time FROM units u "
                            "JOIN origins o ON o.id=u.origin WHERE u.id=? AND u.pair=? "
                            "AND length(u.source) BETWEEN ? AND ? AND u.source<>?");
    std::vector<TMemoryMatch> Fuzzies;
    for (const qint64 Id : Candidates) {
      Fuzzy.Bind(1, Id).Bind(2, Pair).Bind(3, Shortest).Bind(4, Longest).Bind(5, Source);
      if (Fuzzy.Step()) {
        TMemoryMatch M{UnitOfRow(Fuzzy, SourceLang, TargetLang), 0.0, false};
        M.Similarity = TextSimilarityAtLeast(M.Unit.Source, Source, MinSimilarity);
        if (M.Similarity >= MinSimilarity)
          Fuzzies.push_back(std::move(M));
      }
      Fuzzy.Reset();
    }
    // Among equals the more recent first, then the candidates' order.
    std::stable_sort(Fuzzies.begin(), Fuzzies.end(),
                     [](const TMemoryMatch &A, const TMemoryMatch &B) {
                       return A.Similarity != B.Similarity ? A.Similarity > B.Similarity
                                                           : A.Unit.Time > B.Unit.Time;
                     });
    for (TMemoryMatch &M : Fuzzies) {
      if (int(Result.size()) >= MaxCount)
        break;
      if (Targets.contains(M.Unit.Target))
        continue;
      Targets.insert(M.Unit.Target);
      Result.push_back(std::move(M));
    }
    return Result;
  }

  // The units most likely to be like Source, by the trigram index: those
  // sharing the most of Source's rarest trigrams, FuzzyCandidates at most.
  //
  // One edit touches at most 3 of the trigrams of a text, and a text with a
  // similarity of at least s is at most d = (1 - s) * n / s edits away from
  // Source (n characters), so any 3d + 1 trigrams of Source include one that
  // such a text keeps: the rarest 3d + 1 suffice. Reading stops early at
  // PostingBudget index entries, so that a text of common trigrams only
  // costs a bounded time, at the price of missing some matches.
  std::vector<qint64> FuzzyCandidateIds(const QString &Source, double MinSimilarity) {
    const std::vector<TTrigram> Grams = Trigrams(Source);
    if (Grams.empty())
      return {};
    std::vector<std::pair<qint64, QString>> Ranked;
    {
      TStatement Units(*this, "SELECT units FROM grams WHERE gram=?");
      for (const TTrigram Gram : Grams) {
        const QString G = TrigramText(Gram);
        Units.Bind(1, G);
        const qint64 N = Units.Step() ? Units.Int(0) : 0;
        Units.Reset();
        if (N > 0)
          Ranked.emplace_back(N, G);
      }
    }
    std::sort(Ranked.begin(), Ranked.end());
    const double S = std::clamp(MinSimilarity, 0.01, 1.0);
    const size_t Needed = size_t(3 * std::floor((1.0 - S) * double(Source.size()) / S) + 1);

    QHash<qint64, int> Shared;
    TStatement Postings(*this, "SELECT rowid FROM units_text WHERE units_text MATCH ? "
                               "ORDER BY rowid DESC LIMIT ?");
    qint64 Read = 0;
    for (size_t I = 0; I < Ranked.size() && I < Needed; ++I) {
      if (I > 0 && Read + Ranked[I].first > PostingBudget)
        break;
      Read += Ranked[I].first;
      // Even the rarest trigram is read only up to the budget, the most
      // recent units first.
      Postings.Bind(1, u'"' + QString(Ranked[I].second).replace(u'"', QStringLiteral("\"\"")) + u'"');
      Postings.Bind(2, PostingBudget);
      while (Postings.Step())
        ++Shared[Postings.Int(0)];
      Postings.Reset();
    }
    std::vector<std::pair<int, qint64>> Best;
    Best.reserve(size_t(Shared.size()));
    for (auto It = Shared.cbegin(); It != Shared.cend(); ++It)
      Best.emplace_back(-It.value(), -It.key()); // most shared, then newest first
    const size_t Keep = std::min(Best.size(), size_t(FuzzyCandidates));
    std::partial_sort(Best.begin(), Best.begin() + qsizetype(Keep), Best.end());
    std::vector<qint64> Ids;
    for (size_t I = 0; I < Keep; ++I)
      Ids.push_back(-Best[I].second);
    return Ids;
  }

  std::optional<QString> FindExact(const QString &SourceLang, const QString &TargetLang,
                                   const QString &Source) {
    const qint64 Pair = PairId(SourceLang, TargetLang, false);
    if (Pair == 0)
      return std::nullopt;
    if (!FExact)
      FExact = std::make_unique<TStatement>(
          *this, "SELECT target FROM units WHERE sourcekey=? AND source=? "
                 "ORDER BY time DESC, id DESC LIMIT 1");
    FExact->Bind(1, Key(Pair, Source)).Bind(2, Source);
    std::optional<QString> Found;
    if (FExact->Step())
      Found = FExact->Str(0);
    FExact->Reset();
    return Found;
  }

  std::optional<TMemoryUnit> FindEntry(const QString &SourceLang, const QString &TargetLang,
                                       const QString &Origin, const QString &Entry) {
    const qint64 Pair = PairId(SourceLang, TargetLang, false);
    if (Pair == 0)
      return std::nullopt;
    TStatement S(*this, "SELECT u.source, u.target, o.path, u.entry, u.time FROM units u "
                        "JOIN origins o ON o.id=u.origin WHERE u.entrykey=? AND u.entry=? "
                        "AND o.path=? ORDER BY u.time DESC, u.id DESC LIMIT 1");
    S.Bind(1, Key(Pair, Origin, Entry)).Bind(2, Entry).Bind(3, Origin);
    if (!S.Step())
      return std::nullopt;
    return UnitOfRow(S, SourceLang, TargetLang);
  }

  TStats Stats() {
    TStats Result;
    TStatement Pairs(*this, "SELECT p.source, p.target, count(u.id) FROM pairs p "
                            "LEFT JOIN units u ON u.pair=p.id GROUP BY p.id ORDER BY p.id");
    while (Pairs.Step()) {
      Result.Pairs.push_back({Pairs.Str(0), Pairs.Str(1), Pairs.Int(2)});
      Result.Units += Pairs.Int(2);
    }
    TStatement Bytes(*this, "SELECT coalesce(sum(length(CAST(source AS BLOB)) + "
                            "length(CAST(target AS BLOB))), 0) FROM units");
    if (Bytes.Step())
      Result.TextBytes = Bytes.Int(0);
    TStatement Size(*this, "SELECT page_count * page_size FROM pragma_page_count(), "
                           "pragma_page_size()");
    if (Size.Step())
      Result.FileBytes = Size.Int(0);
    return Result;
  }

  void ForEach(const std::function<void(const TMemoryUnit &)> &Visit) {
    TStatement S(*this, "SELECT u.source, u.target, o.path, u.entry, u.time, p.source, p.target "
                        "FROM units u JOIN origins o ON o.id=u.origin JOIN pairs p ON p.id=u.pair "
                        "ORDER BY u.id");
    while (S.Step())
      Visit(TMemoryUnit{S.Str(5), S.Str(6), S.Str(0), S.Str(1), S.Str(2), S.Str(3), S.Int(4)});
  }

  QString FPath;
  sqlite3 *FDb = nullptr;
  QHash<QString, qint64> FPairs;
  QHash<QString, qint64> FOrigins;
  std::unique_ptr<TStatement> FExact;
};

TTranslationMemory::TTranslationMemory(const QString &Path) : FPath(Path) {
  FImpl = std::make_unique<TImpl>(Path);
}

TTranslationMemory::~TTranslationMemory() = default;

int TTranslationMemory::Add(const std::vector<TMemoryUnit> &Units) {
  return FImpl->Add(Units);
}

std::vector<TMemoryMatch> TTranslationMemory::Lookup(const QString &SourceLang,
                                                     const QString &TargetLang,
                                                     const QString &Source, int MaxCount,
                                                     double MinSimilarity) {
  return FImpl->Lookup(SourceLang, TargetLang, Source, MaxCount, MinSimilarity);
}

std::optional<QString> TTranslationMemory::FindExact(const QString &SourceLang,
                                                     const QString &TargetLang,
                                                     const QString &Source) {
  return FImpl->FindExact(SourceLang, TargetLang, Source);
}

std::optional<TMemoryUnit> TTranslationMemory::FindEntry(const QString &SourceLang,
                                                         const QString &TargetLang,
                                                         const QString &Origin,
                                                         const QString &Entry) {
  return FImpl->FindEntry(SourceLang, TargetLang, Origin, Entry);
}

bool TTranslationMemory::HasPair(const QString &SourceLang, const QString &TargetLang) {
  const qint64 Pair = FImpl->PairId(SourceLang, TargetLang, false);
  if (Pair == 0)
    return false;
  TImpl::TStatement S(*FImpl, "SELECT 1 FROM units WHERE pair=? LIMIT 1");
  S.Bind(1, Pair);
  return S.Step();
}

TTranslationMemory::TStats TTranslationMemory::Stats() {
  return FImpl->Stats();
}

void TTranslationMemory::ForEach(const std::function<void(const TMemoryUnit &)> &Visit) {
  FImpl->ForEach(Visit);
}

void TTranslationMemory::Checkpoint() {
  FImpl->Exec("PRAGMA wal_checkpoint(TRUNCATE)");
}
