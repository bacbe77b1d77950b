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
  QString WorkFolder;  // "layout.ini" and the generated pages
  QString DataFolder;  // the catalogues and the preview template
  // The recovery records of unsaved changes and the last session, in the user's own data folder;
  // empty keeps none.
  QString RecoveryFolder;
  // One for the whole run, so that the validation service's cookies are kept.
  THttpFormPoster* FormPoster = nullptr;
};

}  // namespace qm
