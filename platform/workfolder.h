// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its work files and finds its data files.
#pragma once

#include <QString>

namespace qm {

// The folder of the catalogues and the preview template for a program in programFolder: beside
// it (a portable or Windows install, and the build folder) or, in an installed tree (bin/ beside
// share/), share/quillmere. When neither holds them, the program's folder, so that the message
// about a missing file names the place a portable install reads.
QString FindDataFolder(const QString& programFolder);
// Whether folder holds the program's data (the CSS1 catalogue, which every data folder has).
bool HoldsDataFiles(const QString& folder);
// The work-file folder: the program's folder when the program is portable (its data beside it)
// and that folder is writable, otherwise userFolder. An installed program never writes into the
// system's folders, not even when its user could.
QString ChooseWorkFolder(const QString& programFolder, const QString& dataFolder,
                         const QString& userFolder);

// The two above for the running program; the user's application-data folder is created on demand.
QString DefaultDataFolder();
QString DefaultWorkFolder();
// The recovery records and the last session: always in the user's own application-data folder
// (never beside the program, which other users may share, nor beside the user's files).
QString DefaultRecoveryFolder();

}  // namespace qm
