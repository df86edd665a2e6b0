// The spell checker over Enchant: the only file that uses its API.
#include "SpellChecker.h"

#include <enchant.h>

namespace {

struct TBrokerDeleter {
  void operator()(EnchantBroker *Broker) const { enchant_broker_free(Broker); }
};
using TBroker = std::unique_ptr<EnchantBroker, TBrokerDeleter>;

class TEnchantSpellChecker : public TSpellChecker {
public:
  // REQUIRES: Dict was requested from Broker.
  TEnchantSpellChecker(TBroker Broker, EnchantDict *Dict)
      : FBroker(std::move(Broker)), FDict(Dict) {}
  ~TEnchantSpellChecker() override { enchant_broker_free_dict(FBroker.get(), FDict); }
  TEnchantSpellChecker(const TEnchantSpellChecker &) = delete;
  TEnchantSpellChecker &operator=(const TEnchantSpellChecker &) = delete;

  bool Check(const QString &Word) override {
    const QByteArray Utf8 = Word.toUtf8();
    // Negative on an error, which is no reason to mark the word.
    return enchant_dict_check(FDict, Utf8.constData(), Utf8.size()) <= 0;
  }

  QStringList Suggest(const QString &Word, int Max) override {
    const QByteArray Utf8 = Word.toUtf8();
    size_t Count = 0;
    char **List = enchant_dict_suggest(FDict, Utf8.constData(), Utf8.size(), &Count);
    QStringList Result;
    for (size_t I = 0; I < Count && Result.size() < Max; ++I)
      Result.append(QString::fromUtf8(List[I]));
    if (List)
      enchant_dict_free_string_list(FDict, List);
    return Result;
  }

  void AddToPersonal(const QString &Word) override { AddToSession(Word); }
  void IgnoreForSession(const QString &Word) override { AddToSession(Word); }

private:
  void AddToSession(const QString &Word) {
    const QByteArray Utf8 = Word.toUtf8();
    enchant_dict_add_to_session(FDict, Utf8.constData(), Utf8.size());
  }

  TBroker FBroker;
  EnchantDict *FDict;
};

} // namespace

std::unique_ptr<TSpellChecker> OpenSystemSpellChecker(const QStringList &Tags, QString *UsedTag) {
  TBroker Broker(enchant_broker_init());
  if (!Broker)
    return nullptr;
  for (const QString &Tag : Tags) {
    const QByteArray Name = Tag.toUtf8();
    if (!enchant_broker_dict_exists(Broker.get(), Name.constData()))
      continue;
    if (EnchantDict *Dict = enchant_broker_request_dict(Broker.get(), Name.constData())) {
      if (UsedTag)
        *UsedTag = Tag;
      return std::make_unique<TEnchantSpellChecker>(std::move(Broker), Dict);
    }
  }
  return nullptr;
}
