// SPDX-License-Identifier: GPL-3.0-or-later
// The events the program's own controls raise: callbacks whose first parameter is the object
// that raises them, so one handler can serve many controls and tell them apart.
#pragma once

#include <QString>
#include <functional>

class QObject;

namespace qm {

using TNotifyEvent = std::function<void(QObject* Sender)>;
// sText is the value text the control reports (an entry chosen, or its text after a change).
using TOnSelectEvent = std::function<void(QObject* Sender, QString sText)>;

}  // namespace qm
