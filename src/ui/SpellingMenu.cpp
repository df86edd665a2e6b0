#include "SpellingMenu.h"

#include "LanguageManager.h"
#include "SpellingSession.h"
#include "SpellingWords.h"
#include "UIGuard.h"

#include <QMenu>
#include <algorithm>

namespace {

// A menu item shows "&&" as "&".
QString ItemText(QString Text) {
  return Text.replace(u'&', QStringLiteral("&&"));
}

} // namespace

bool AddSpellingItems(QMenu &Menu, TSpellingSession &Spelling, const QString &Text,
                      qsizetype Position, QWidget *Owner, TSpellingReplace Replace) {
  if (!Spelling.IsOpen())
    return false;
  const std::vector<TSpellingWord> Words = SpellingWords(Text);
  const auto Word = std::find_if(Words.begin(), Words.end(), [&](const TSpellingWord &W) {
    return W.Start <= Position && Position <= W.Start + W.Length;
  });
  if (Word == Words.end() || Spelling.Check(Word->Text))
    return false;

  QAction *First = Menu.actions().value(0);
  QList<QAction *> Items;
  const QStringList Suggestions = Spelling.Suggest(Word->Text, SpellingMenuSuggestions);
  for (const QString &Suggestion : Suggestions) {
    auto *Item = new QAction(ItemText(Suggestion), &Menu);
    QFont Bold = Item->font();
    Bold.setBold(true);
    Item->setFont(Bold);
    QObject::connect(Item, &QAction::triggered, Owner, [Replace, W = *Word, Suggestion] {
      Replace(W.Start, W.Length, W.Replacement(Suggestion));
    });
    Items.append(Item);
  }
  if (Suggestions.isEmpty()) {
    auto *None = new QAction(LangConstant(u"SCaptionNoSuggestions"), &Menu);
    None->setEnabled(false);
    Items.append(None);
  }
  auto *Add = new QAction(LangConstant(u"SCaptionAddToDictionary"), &Menu);
  Add->setObjectName(QStringLiteral("SpellingAddToDictionary"));
  QObject::connect(Add, &QAction::triggered, Owner, [&Spelling, Owner, W = Word->Text] {
    TUIGuard::Run(Owner, [&] { Spelling.AddToPersonal(W); });
  });
  auto *Ignore = new QAction(LangConstant(u"SCaptionIgnoreAll"), &Menu);
  Ignore->setObjectName(QStringLiteral("SpellingIgnoreAll"));
  QObject::connect(Ignore, &QAction::triggered, Owner,
                   [&Spelling, W = Word->Text] { Spelling.IgnoreForSession(W); });
  Menu.insertActions(First, Items);
  Menu.insertSeparator(First);
  Menu.insertActions(First, {Add, Ignore});
  if (First)
    Menu.insertSeparator(First);
  return true;
}
