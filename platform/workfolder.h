// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its work files and finds its data files.
#pragma once

#include <QString>

namespace qm {

// The folder of the executable when it is writable (a portable install), otherwise the user's
// application-data folder, created on demand.
QString DefaultWorkFolder();
// The folder of the executable: the catalogues and the preview template ship there.
QString DefaultDataFolder();

}  // namespace qm
