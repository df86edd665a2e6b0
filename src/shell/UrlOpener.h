#pragma once

#include <QUrl>
#include <functional>

// Hands a document or web address to the desktop, which opens it in the
// user's default application. The call goes through one replaceable
// function so that tests can see it without starting anything.
// User-interface thread only.
using TUrlOpener = std::function<bool(const QUrl &)>;

// Opens Url with the installed opener; true when the address was handed over.
bool OpenUrl(const QUrl &Url);
// Installs Opener (an empty one restores the desktop's) and returns the
// opener it replaces.
TUrlOpener SetUrlOpener(TUrlOpener Opener);
