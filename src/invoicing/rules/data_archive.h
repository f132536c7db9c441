#pragma once

#include <QString>
#include <QStringList>

// The data archive of the working folder: every table packed into one zip
// file, and the tables brought back from it.
namespace invoicing {

// "archiwum1.zip": the archive in the working folder.
QString archiveFileName();
// "kopia_przed_rozpakowaniem.zip": the tables as they were before the last
// restore, beside the archive.
QString safetyCopyFileName();

// Packs a consistent copy of every table into the zip file at zipPath, which
// is replaced whole or not at all. Raises tv::Error with a Polish message.
void archiveTables(const QString& zipPath);

// The most the tables of one archive may take once unpacked. Far beyond what
// a shop's tables grow to, it keeps a damaged or crafted archive from filling
// the disk as it is unpacked.
inline constexpr qint64 kMaxUnpackedBytes = qint64(2) << 30;

// Unpacks the tables the archive holds into folder (each under its table's
// file name) and checks each of them; returns their file names. Entries that
// are no table of the program are passed over. Raises tv::Error naming the
// first entry that fails, when the archive holds no table at all, and as soon
// as the unpacked tables would take more than maxBytes.
QStringList extractArchive(const QString& zipPath, const QString& folder,
                           qint64 maxBytes = kMaxUnpackedBytes);

// Brings the tables of the archive back: checks the archive, posts what the
// forms hold pending, packs the current tables into safetyZipPath (a damaged
// one as it lies, a missing one left out), then puts the archived files in
// place of the tables. Should that fail half-way, the tables are put back
// from the safety copy. Tables the archive lacks stay as
// they are. Returns the restored file names; raises tv::Error with a Polish
// message and changes no table when the archive does not pass its checks.
QStringList restoreTables(const QString& zipPath, const QString& safetyZipPath);

} // namespace invoicing
