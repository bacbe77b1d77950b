// SPDX-License-Identifier: GPL-3.0-or-later
// The system services the main window works through, so that tests can stand in for each.
#pragma once

#include <QString>

namespace qm {

class THttpFormPoster;
class TSettingsStore;
class TPrompts;
class TShell;

struct TPlatform {
  TSettingsStore* Settings = nullptr;
  TPrompts* Prompts = nullptr;
  TShell* Shell = nullptr;
  THttpFormPoster* FormPoster = nullptr;  // one for the whole run: it keeps the cookies
  QString WorkFolder;                     // "layout.ini" and the generated pages
  QString DataFolder;                     // the catalogues and the preview template
};

}  // namespace qm
