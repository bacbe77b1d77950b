// SPDX-License-Identifier: GPL-3.0-or-later
// The addresses the program points its users to. Each can be overridden by a string value in
// the settings store (names and defaults in platform/settings.h).
#pragma once

#include <QString>

namespace qm {

class TSettingsStore;

struct TSiteAddresses {
  QString HomePage;
  QString FeedbackMail;
  // The W3C web site, where the CSS recommendations live.
  QString W3CSite;
  // The W3C CSS Validation Service's validator, to which style sheets are posted.
  QString ValidatorUrl;

  // The stored addresses, or the defaults where the store holds none.
  static TSiteAddresses Load(const TSettingsStore& settings);
};

}  // namespace qm
