// SPDX-License-Identifier: GPL-3.0-or-later
// Prompts for tests: answers are queued in advance, every question is recorded.
#pragma once

#include <QQueue>
#include <QStringList>
#include <functional>
#include <variant>

#include "platform/prompts.h"

namespace qm {

class TScriptedPrompts : public TPrompts {
 public:
  // The next message box is answered with button.
  void AnswerMessage(TButton button) { Answers.enqueue(button); }
  // The next open dialog returns path ("" = cancelled).
  void AnswerOpen(const QString& path) { Answers.enqueue(path); }
  // The next save dialog returns the answer (nullopt = cancelled).
  void AnswerSave(std::optional<TSaveAnswer> answer) { Answers.enqueue(answer); }
  // The next colour dialog returns color (nullopt = cancelled).
  void AnswerColor(std::optional<QColor> color) { Answers.enqueue(color); }
  // The next progress box stays up until its work is done, or is cancelled as soon as it is up.
  enum class TProgressAnswer { Wait, Cancel };
  void AnswerProgress(TProgressAnswer answer) { Answers.enqueue(answer); }

  // The next dialog of the program's own is answered by answer, which may fill the dialog's
  // fields and returns whether the user confirmed it.
  void AnswerDialog(std::function<bool(QDialog&)> answer) { Answers.enqueue(std::move(answer)); }

  TButton Message(TMessageKind kind, const QString& text, const QList<TButton>& buttons,
                  const QString& title = {}) override;
  QString OpenFileName(const QString& filter, const QString& title) override;
  std::optional<TSaveAnswer> SaveFileName(const QString& filter,
                                          const QString& presetName) override;
  std::optional<QColor> ChooseColor(const QColor& initial) override;
  bool RunDialog(QDialog& dialog) override;
  bool Progress(const QString& text,
                const std::function<void(std::function<void()> done)>& start) override;

  // "message: <text>" (or "message [<title>]: <text>" for a box with a title of its own), "open:
  // <filter>", "save: <filter> | <preset>", "color: <#rrggbb>" (or "color: none" for no valid
  // colour), "dialog: <title>", "progress: <text>" in the order asked.
  QStringList Asked;
  // The buttons of each message box, in the order asked.
  QList<QList<TButton>> Offered;
  // Questions asked with no answer queued, or answered with the wrong kind of answer. Any left
  // here when the test's environment ends fail the test.
  QStringList Unexpected;
  int Pending() const { return static_cast<int>(Answers.size()); }

 private:
  using TAnswer = std::variant<TButton, QString, std::optional<TSaveAnswer>, std::optional<QColor>,
                               std::function<bool(QDialog&)>, TProgressAnswer>;
  QQueue<TAnswer> Answers;
};

}  // namespace qm
