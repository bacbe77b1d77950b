// SPDX-License-Identifier: GPL-3.0-or-later
// The addresses the program points its users to, in one place. Each can be overridden by a
// string value of the same name in the settings store.
#pragma once

#include <QString>

namespace qm {

class TSettingsStore;

struct TSiteAddresses {
  QString HomePage = QStringLiteral("https://quillmere.org/");
  QString FeedbackMail = QStringLiteral("feedback@quillmere.org");
  // The W3C web site, where the CSS recommendations live.
  QString W3CSite = QStringLiteral("https://www.w3.org");
  // The host of the W3C CSS Validation Service.
  QString ValidatorHost = QStringLiteral("https://jigsaw.w3.org");

  // The defaults above, replaced by "HomePage", "FeedbackMail", "W3CSite" and "ValidatorHost"
  // where the store holds them.
  static TSiteAddresses Load(const TSettingsStore& settings);
};

}  // namespace qm
