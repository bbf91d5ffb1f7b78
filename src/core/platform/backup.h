#pragma once

#include <QDate>
#include <QString>

// The daily copy of the data files. Before the first change of a day, every
// "*.dat" file of the data folder is copied into backup/YYYY-MM-DD/, and the
// 14 newest day folders are kept. So deleting a card never destroys the only
// copy of its history. Backing up never stops a save: when the copy fails,
// the user is told once and the save goes on. Reads and restores nothing.
namespace DailyBackup {

inline constexpr int keptDays = 14;

// DataFile calls this before it writes or removes a file of the working
// directory. The first call of a day (Clock::today()) for a folder makes that
// day's backup, unless the folder has it already; later calls do nothing,
// whether the backup was made or failed.
void beforeChange();

// Copies the data files of `folder` into backup/<day>/ now, unless that
// folder exists already or there is no data file to copy, then removes the
// day folders beyond the newest 14. Returns the message to show when the copy
// failed, else an empty text. A day's copy appears whole or not at all: it is
// made under <day>.partial and renamed when complete.
QString makeBackup(const QString& folder, const QDate& day);

// The name of a day's folder inside backup/: "2026-12-08".
QString dayFolderName(const QDate& day);

} // namespace DailyBackup
