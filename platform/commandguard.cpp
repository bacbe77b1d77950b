// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/commandguard.h"

namespace qm {

void ReportCommandError(TPrompts& prompts, const std::exception& error) {
  prompts.Message(TMessageKind::Error, QString::fromUtf8(error.what()), {TButton::Ok});
}

}  // namespace qm
