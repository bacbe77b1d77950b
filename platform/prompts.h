// SPDX-License-Identifier: GPL-3.0-or-later
// Every modal question the program asks: message boxes, file dialogs and the colour dialog.
// The program shows real dialogs; tests script the answers and read back the questions.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace qm {

enum class TMessageKind { Error, Information, Warning, Confirmation };
// Recover, ShowDifferences and Discard answer the offer of unsaved changes a record kept.
enum class TButton { Ok, Yes, No, Cancel, Recover, ShowDifferences, Discard };

struct TSaveAnswer {
  QString FileName;     // as chosen, with its folder
  int FilterIndex = 0;  // 0-based index of the selected filter
};

class TPrompts {
 public:
  virtual ~TPrompts() = default;

  // A message box with the given buttons; returns the button pressed (Cancel when closed). Its
  // title says the kind of message unless one is given.
  virtual TButton Message(TMessageKind kind, const QString& text, const QList<TButton>& buttons,
                          const QString& title = {}) = 0;
  // Filters are "Name|pattern|Name|pattern"; an empty result means cancelled.
  virtual QString OpenFileName(const QString& filter, const QString& title = {}) = 0;
  virtual std::optional<TSaveAnswer> SaveFileName(const QString& filter,
                                                  const QString& presetName) = 0;
  // The colour dialog opened on initial; nothing when cancelled.
  virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
  // Shows one of the program's own dialogs modally, filled by the caller; true when the user
  // confirmed it.
  virtual bool RunDialog(QDialog& dialog) = 0;
  // A modal box with text and a Cancel button, up while work runs on in the event loop: start
  // begins the work and is given done, which closes the box (and does nothing once it is gone).
  // Answers false when the user cancelled before done.
  virtual bool Progress(const QString& text,
                        const std::function<void(std::function<void()> done)>& start) = 0;
};

// The real dialogs, parented to the given window.
class TDialogPrompts : public TPrompts {
 public:
  explicit TDialogPrompts(QWidget* parent = nullptr) : Parent(parent) {}
  void SetParent(QWidget* parent) { Parent = parent; }

  TButton Message(TMessageKind kind, const QString& text, const QList<TButton>& buttons,
                  const QString& title = {}) override;
  QString OpenFileName(const QString& filter, const QString& title) override;
  std::optional<TSaveAnswer> SaveFileName(const QString& filter,
                                          const QString& presetName) override;
  std::optional<QColor> ChooseColor(const QColor& initial) override;
  bool RunDialog(QDialog& dialog) override;
  bool Progress(const QString& text,
                const std::function<void(std::function<void()> done)>& start) override;

 private:
  QWidget* Parent;
};

// "Name|pattern|Name|pattern" as the entries of a file dialog's filter list.
QStringList DialogFilters(const QString& filter);

}  // namespace qm
