// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/siteaddresses.h"

#include "platform/settings.h"

namespace qm {

TSiteAddresses TSiteAddresses::Load(const TSettingsStore& settings) {
  return {Setting::HomePage.Read(settings).trimmed(),
          Setting::FeedbackMail.Read(settings).trimmed(), Setting::W3CSite.Read(settings).trimmed(),
          Setting::ValidatorUrl.Read(settings).trimmed()};
}

}  // namespace qm
