// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptedprompts.h"

#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <memory>

namespace qm {

TButton TScriptedPrompts::Message(TMessageKind, const QString& text, const QList<TButton>& buttons,
                                  const QString& title) {
  Asked << (title.isEmpty() ? QStringLiteral("message: ")
                            : QStringLiteral("message [%1]: ").arg(title)) +
               text;
  Offered << buttons;
  if (Answers.isEmpty() || !std::holds_alternative<TButton>(Answers.head())) {
    Unexpected << text;
    return buttons.contains(TButton::Cancel) ? TButton::Cancel : buttons.front();
  }
  return std::get<TButton>(Answers.dequeue());
}

QString TScriptedPrompts::OpenFileName(const QString& filter, const QString&) {
  Asked << QStringLiteral("open: ") + filter;
  if (Answers.isEmpty() || !std::holds_alternative<QString>(Answers.head())) {
    Unexpected << QStringLiteral("open");
    return {};
  }
  return std::get<QString>(Answers.dequeue());
}

std::optional<TSaveAnswer> TScriptedPrompts::SaveFileName(const QString& filter,
                                                          const QString& presetName) {
  Asked << QStringLiteral("save: ") + filter + QStringLiteral(" | ") + presetName;
  if (Answers.isEmpty() || !std::holds_alternative<std::optional<TSaveAnswer>>(Answers.head())) {
    Unexpected << QStringLiteral("save");
    return std::nullopt;
  }
  return std::get<std::optional<TSaveAnswer>>(Answers.dequeue());
}

std::optional<QColor> TScriptedPrompts::ChooseColor(const QColor& initial) {
  Asked << QStringLiteral("color: ") +
               (initial.isValid() ? initial.name(QColor::HexRgb) : QStringLiteral("none"));
  if (Answers.isEmpty() || !std::holds_alternative<std::optional<QColor>>(Answers.head())) {
    Unexpected << QStringLiteral("color");
    return std::nullopt;
  }
  return std::get<std::optional<QColor>>(Answers.dequeue());
}

bool TScriptedPrompts::RunDialog(QDialog& dialog) {
  Asked << QStringLiteral("dialog: ") + dialog.windowTitle();
  if (Answers.isEmpty() || !std::holds_alternative<std::function<bool(QDialog&)>>(Answers.head())) {
    Unexpected << QStringLiteral("dialog");
    return false;
  }
  return std::get<std::function<bool(QDialog&)>>(Answers.dequeue())(dialog);
}

bool TScriptedPrompts::Progress(const QString& text,
                                const std::function<void(std::function<void()> done)>& start) {
  Asked << QStringLiteral("progress: ") + text;
  bool wait = false;
  if (Answers.isEmpty() || !std::holds_alternative<TProgressAnswer>(Answers.head())) {
    Unexpected << QStringLiteral("progress");
  } else {
    wait = std::get<TProgressAnswer>(Answers.dequeue()) == TProgressAnswer::Wait;
  }
  // The work starts either way, as behind the real box, which the user can cancel only after.
  QEventLoop loop;
  const auto finished = std::make_shared<bool>(false);
  start([finished, guard = QPointer<QEventLoop>(&loop)] {
    *finished = true;
    if (guard != nullptr) {
      guard->quit();
    }
  });
  if (wait && !*finished) {
    loop.exec();
  }
  return *finished;
}

}  // namespace qm
