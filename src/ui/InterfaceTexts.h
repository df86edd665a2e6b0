#pragma once

#include <QTranslator>

// Makes the texts the framework and Qt supply themselves follow the
// interface language: the dialog base's button captions (through the
// Localizer hook) and Qt's standard buttons of message boxes, button boxes
// and file dialogs (through a translator that answers from the program's
// constants). Constants the interface language does not translate leave the
// caller's or Qt's own text, accelerators included.
//
// REQUIRES: a QCoreApplication; call once, before any window exists.
void InstallInterfaceTexts();

// The translator InstallInterfaceTexts installs; public for tests.
class TStandardTextsTranslator : public QTranslator {
public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char *Context, const char *SourceText, const char *Disambiguation,
                    int N) const override;
};

// The constant's text when the interface language translates it, else empty.
QString TranslatedConstant(QStringView Name);
