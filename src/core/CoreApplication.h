#pragma once

#include <QString>
#include <functional>

// The executable's file name without folder and extension.
const QString &AppName();

// The application's title: the main window's caption once it has one, the
// executable's name before.
QString ApplicationTitle();
void SetApplicationTitle(const QString &Title);

// Where the portable settings file "Settings.dat" lives: the user's
// application-data folder + AppName when the file is there, else the
// executable's folder when the file is there, else empty. Ends with a path
// delimiter; cached once found.
QString GetSettingsFolder();
// GetSettingsFolder + "Settings.dat".
QString GetSettingsFileName();
// True when the settings file exists in a settings folder that is writable;
// the stores then use it instead of the registry.
bool UseSettingsFile();
// "Software\Brisel Solutions\" + AppName, unless AppName already holds that.
QString GetAppRegistryKey();
// Forgets the cached settings location.
void ClearSettingsLocation();

// Messages for the user from code below the user interface. The user
// interface installs a handler that shows a message box; until then the
// message is logged.
enum TMessageBoxKind { mbkError, mbkWarning, mbkInformation };
using TMessageBoxHandler =
    std::function<void(TMessageBoxKind Kind, const QString &Caption, const QString &Text)>;
// Returns the handler that was installed before; an empty one logs.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler Handler);
// Shows Text with an OK button; an empty caption stands for the title.
void ShowMessageBox(TMessageBoxKind Kind, const QString &Caption, const QString &Text);
