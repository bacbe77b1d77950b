// SPDX-License-Identifier: GPL-3.0-or-later
// The token classes' colours and styles in the settings store: the subkey "Editor" holds one
// subkey per class name with the integers "Background", "Foreground" and "Style".
#pragma once

#include "model/program/syntaxstyles.h"

namespace qm {

class TSettingsStore;

// Values that are missing (or not numbers) leave that part of the style as it was.
void LoadSyntaxStyles(const TSettingsStore& settings, TSyntaxStyles& styles);
void SaveSyntaxStyles(TSettingsStore& settings, const TSyntaxStyles& styles);

}  // namespace qm
