// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagescript.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

namespace qm {

QVariant RunPageScript(QWebEngineView* view, const QString& script) {
  // Shared with the callback, which may come after a time-out.
  auto answer = std::make_shared<std::pair<bool, QVariant>>();
  view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                              [answer](const QVariant& result) {
                                answer->first = true;
                                answer->second = result;
                              });
  if (!QTest::qWaitFor([&] { return answer->first; }, 20000)) {
    qWarning("no answer to %s", qPrintable(script));
  }
  return answer->second;
}

}  // namespace qm
