#include "SuggestionsPane.h"

#include "LanguageManager.h"
#include "TextSimilarity.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

// Translucent, so that they read on light and dark palettes alike: the
// text keeps the palette's colour over a tint of the base.
const QColor RemovedBackground(230, 60, 60, 90);
const QColor AddedBackground(40, 170, 60, 90);

} // namespace

// Draws a row as two lines of rich text: the head and the translation, then
// the note or the source's changes.
class TSuggestionsPane::TRowDelegate : public QStyledItemDelegate {
public:
  explicit TRowDelegate(TSuggestionsPane &Pane) : QStyledItemDelegate(&Pane), FPane(Pane) {}

  void paint(QPainter *Painter, const QStyleOptionViewItem &Option,
             const QModelIndex &Index) const override {
    QStyleOptionViewItem Opt = Option;
    initStyleOption(&Opt, Index);
    Opt.text.clear();
    const QWidget *Widget = Opt.widget;
    QStyle *Style = Widget ? Widget->style() : nullptr;
    if (Style)
      Style->drawControl(QStyle::CE_ItemViewItem, &Opt, Painter, Widget);
    QTextDocument Doc;
    Fill(Doc, Index.row(), Opt, Opt.rect.width());
    Painter->save();
    Painter->translate(Opt.rect.topLeft());
    Painter->setClipRect(QRect(QPoint(0, 0), Opt.rect.size()));
    QAbstractTextDocumentLayout::PaintContext Context;
    Context.palette = Opt.palette;
    Doc.documentLayout()->draw(Painter, Context);
    Painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override {
    const auto *View = qobject_cast<const QAbstractItemView *>(Option.widget);
    const int Width = View ? View->viewport()->width() : Option.rect.width();
    QTextDocument Doc;
    Fill(Doc, Index.row(), Option, Width);
    return QSize(Width, int(std::ceil(Doc.size().height())));
  }

private:
  void Fill(QTextDocument &Doc, int Row, const QStyleOptionViewItem &Option, int Width) const {
    if (Row < 0 || size_t(Row) >= FPane.FRows.size())
      return;
    const TRow &R = FPane.FRows[size_t(Row)];
    Doc.setDefaultFont(Option.font);
    Doc.setDocumentMargin(3);
    Doc.setTextWidth(std::max(Width, 40));
    const bool bSelected = Option.state & QStyle::State_Selected;
    const QColor Text =
        Option.palette.color(bSelected ? QPalette::HighlightedText : QPalette::Text);
    QColor Dim = Text;
    Dim.setAlphaF(0.7f);

    QTextCharFormat Plain;
    Plain.setForeground(Text);
    QTextCharFormat Bold = Plain;
    Bold.setFontWeight(QFont::Bold);
    QTextCharFormat Second;
    Second.setForeground(Dim);
    QTextCursor Cursor(&Doc);
    if (!R.Shortcut.isEmpty())
      Cursor.insertText(R.Shortcut + QStringLiteral("  "), Second);
    Cursor.insertText(R.Similarity + QStringLiteral("  "), Bold);
    Cursor.insertText(R.Target, Plain);
    Cursor.insertBlock();
    if (!R.Note.isEmpty()) {
      QTextCharFormat Note = Second;
      Note.setFontItalic(true);
      Cursor.insertText(R.Note, Note);
      return;
    }
    for (const TTextDifference &Piece : R.SourceChanges) {
      QTextCharFormat Format = Second;
      if (Piece.Kind == TTextDifference::tdRemoved) {
        Format.setBackground(RemovedBackground);
        Format.setFontStrikeOut(true);
      } else if (Piece.Kind == TTextDifference::tdAdded) {
        Format.setBackground(AddedBackground);
      }
      Cursor.insertText(Piece.Text, Format);
    }
  }

  TSuggestionsPane &FPane;
};

TSuggestionsPane::TSuggestionsPane(QWidget *Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("SuggestionsPane"));
  auto *Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(4, 4, 4, 4);
  Layout->setSpacing(3);
  FCaption = new QLabel(this);
  FCaption->setObjectName(QStringLiteral("SuggestionsLabel"));
  FList = new QListWidget(this);
  FList->setObjectName(QStringLiteral("SuggestionsList"));
  FList->setItemDelegate(new TRowDelegate(*this));
  FList->setSelectionMode(QAbstractItemView::SingleSelection);
  FList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Rows are as high as their wrapped text at the list's width.
  FList->setResizeMode(QListView::Adjust);
  FList->setWordWrap(true);
  FCaption->setBuddy(FList);
  FMessage = new QLabel(this);
  FMessage->setObjectName(QStringLiteral("SuggestionsMessage"));
  FMessage->setWordWrap(true);
  FMessage->setTextFormat(Qt::PlainText);
  FMessage->hide();
  Layout->addWidget(FCaption);
  Layout->addWidget(FList, 1);
  Layout->addWidget(FMessage);
  connect(FList, &QAbstractItemView::activated, this,
          [this](const QModelIndex &Index) { Q_EMIT Chosen(Index.row()); });
  Retranslate();
}

void TSuggestionsPane::SetSuggestions(const QString &Source, std::vector<TSuggestion> Suggestions) {
  if (Suggestions.size() > size_t(MaxSuggestions))
    Suggestions.resize(size_t(MaxSuggestions));
  FSource = Source;
  FSuggestions = std::move(Suggestions);
  BuildRows();
}

void TSuggestionsPane::SetShortcuts(const QStringList &Shortcuts) {
  FShortcuts = Shortcuts;
  BuildRows();
}

void TSuggestionsPane::SetMessage(const QString &Text) {
  FMessage->setText(Text);
  FMessage->setVisible(!Text.isEmpty());
}

QString TSuggestionsPane::Message() const {
  return FMessage->text();
}

void TSuggestionsPane::Retranslate() {
  FCaption->setText(LangConstant(u"SCaptionSuggestions"));
  BuildRows();
}

void TSuggestionsPane::BuildRows() {
  FRows.clear();
  for (size_t I = 0; I < FSuggestions.size(); ++I) {
    const TMemoryMatch &Match = FSuggestions[I].Match;
    TRow Row;
    const int Percent = SimilarityPercent(Match.Similarity, Match.bExact);
    Row.Similarity = LangConstantFmt(u"SCaptionSimilarity", {Percent});
    Row.Shortcut = FShortcuts.value(qsizetype(I));
    Row.Target = Match.Unit.Target;
    if (FSuggestions[I].bProject)
      Row.Note = LangConstant(u"SCaptionSuggestionFromProject");
    else
      Row.SourceChanges = TextDifferences(Match.Unit.Source, FSource);
    FRows.push_back(std::move(Row));
  }
  const int Current = FList->currentRow();
  FList->clear();
  for (size_t I = 0; I < FRows.size(); ++I)
    FList->addItem(FRows[I].Target);
  if (Current >= 0 && Current < FList->count())
    FList->setCurrentRow(Current);
}
