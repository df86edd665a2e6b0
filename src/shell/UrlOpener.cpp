#include "UrlOpener.h"

#include <QDesktopServices>
#include <utility>

namespace {

TUrlOpener &CurrentOpener() {
  static TUrlOpener Opener;
  return Opener;
}

} // namespace

bool OpenUrl(const QUrl &Url) {
  const TUrlOpener &Opener = CurrentOpener();
  return Opener ? Opener(Url) : QDesktopServices::openUrl(Url);
}

TUrlOpener SetUrlOpener(TUrlOpener Opener) {
  return std::exchange(CurrentOpener(), std::move(Opener));
}
