// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include <QMessageBox>

#include "platform/prompts.h"

namespace qm {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Quillmere"));
  // The desktop entry an installed copy ships: the desktop shows its icon and name for the window.
  setDesktopFileName(QStringLiteral("org.quillmere.Quillmere"));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    const QString text = QString::fromUtf8(error.what());
    if (Prompts != nullptr) {
      Prompts->Message(TMessageKind::Error, text, {TButton::Ok});
    } else {
      QMessageBox::critical(nullptr, applicationName(), text);
    }
  }
  return false;
}

}  // namespace qm
