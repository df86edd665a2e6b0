#pragma once

#include <QString>
#include <QStringList>

// The recent-file histories of the open files dialog, most recent first, at
// most MRUMaxCount names each, stored as "Document0" to "Document9" under
// "MRUHistory\Source", "MRUHistory\Display" and "MRUHistory\Translation".
enum TMRUKind { mruSource = 0, mruDisplay = 1, mruTranslation = 2 };

constexpr int MRUMaxCount = 10;

QString MRUHistoryKey(TMRUKind Kind);

// Reads "Document0" to "Document127" and keeps the names that are not empty,
// so gaps close up; an error ends the reading with what was read. Returns
// the one list shared by all histories, which holds the history read last;
// copy it at once.
const QStringList &LoadMRUList(TMRUKind Kind);

// Removes FileName from the history (names compare with only A-Z folded to
// lower case), puts it in front when Add, keeps the first MRUMaxCount names
// and writes all ten values, empty ones where the list is shorter. An error
// is shown to the user and ends the update.
void UpdateMRUList(const QString &FileName, TMRUKind Kind, bool Add);
