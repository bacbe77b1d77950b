// SPDX-License-Identifier: GPL-3.0-or-later
// Asking the page a browser shows: a script run in the program's own world, and its answer.
#pragma once

#include <QString>
#include <QVariant>

class QWebEngineView;

namespace qm {

// The answer of a script run in the page, once it has come (an invalid one after 20 s). It runs
// in the program's own world: the generated page runs no script of its own. Scripts run in the
// order asked, so the answer comes after every script the program sent before.
QVariant RunPageScript(QWebEngineView* view, const QString& script);

}  // namespace qm
