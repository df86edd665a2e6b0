#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

// A form of the program as the language tooling sees it: the section of its
// language controller and a way to build it with all its widgets.
struct TFormDescriptor {
  QString SectionName;
  std::function<std::unique_ptr<QWidget>()> Create;
};

// Every localized form of the program, in section order.
// REQUIRES: a QApplication exists.
std::vector<TFormDescriptor> LingroveForms();
