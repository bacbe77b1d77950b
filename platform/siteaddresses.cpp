// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/siteaddresses.h"

#include "platform/settingsstore.h"

namespace qm {

TSiteAddresses TSiteAddresses::Load(const TSettingsStore& settings) {
  TSiteAddresses addresses;
  const auto take = [&settings](const char* name, QString& value) {
    const auto stored = settings.ReadString(QLatin1String(name));
    if (stored && !stored->trimmed().isEmpty()) {
      value = stored->trimmed();
    }
  };
  take("HomePage", addresses.HomePage);
  take("FeedbackMail", addresses.FeedbackMail);
  take("W3CSite", addresses.W3CSite);
  take("ValidatorHost", addresses.ValidatorHost);
  return addresses;
}

}  // namespace qm
