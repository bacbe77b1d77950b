// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <memory>

namespace qm {

namespace {

QString KindCaption(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Error:
      return QStringLiteral("Error");
    case TMessageKind::Information:
      return QStringLiteral("Information");
    case TMessageKind::Warning:
      return QStringLiteral("Warning");
    case TMessageKind::Confirmation:
      break;
  }
  return QStringLiteral("Confirm");
}

QMessageBox::Icon KindIcon(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Error:
      return QMessageBox::Critical;
    case TMessageKind::Information:
      return QMessageBox::Information;
    case TMessageKind::Warning:
      return QMessageBox::Warning;
    case TMessageKind::Confirmation:
      break;
  }
  return QMessageBox::Question;
}

QAbstractButton* AddButton(QMessageBox& box, TButton button) {
  switch (button) {
    case TButton::Ok:
      return box.addButton(QMessageBox::Ok);
    case TButton::Yes:
      return box.addButton(QMessageBox::Yes);
    case TButton::No:
      return box.addButton(QMessageBox::No);
    case TButton::Recover:
      return box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
    case TButton::ShowDifferences:
      return box.addButton(QStringLiteral("Show Di&fferences"), QMessageBox::ActionRole);
    case TButton::Discard:
      return box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    case TButton::Cancel:
      break;
  }
  QAbstractButton* cancel = box.addButton(QMessageBox::Cancel);
  box.setEscapeButton(cancel);
  return cancel;
}

// When a modal box closes, the focus is put back where it was: the box's parent would take it
// otherwise, and keys meant for a non-modal dialog (New Selector) would go into the document.
class TFocusReturn {
 public:
  TFocusReturn() : Window(QApplication::activeWindow()), Focus(QApplication::focusWidget()) {}
  ~TFocusReturn() {
    if (Window != nullptr) {
      Window->activateWindow();
    }
    if (Focus != nullptr) {
      Focus->setFocus(Qt::OtherFocusReason);
    }
  }
  TFocusReturn(const TFocusReturn&) = delete;
  TFocusReturn& operator=(const TFocusReturn&) = delete;

 private:
  QPointer<QWidget> Window;
  QPointer<QWidget> Focus;
};

}  // namespace

QStringList DialogFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i];
    // "*.*" means every file; on systems where names need no extension that is "*".
    QString pattern = parts[i + 1];
    pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    const qsizetype paren = name.indexOf(QLatin1Char('('));
    if (paren >= 0) {
      name = name.left(paren).trimmed();
    }
    filters << QStringLiteral("%1 (%2)").arg(name, pattern);
  }
  return filters;
}

TButton TDialogPrompts::Message(TMessageKind kind, const QString& text,
                                const QList<TButton>& buttons, const QString& title) {
  const TFocusReturn focus;
  const QString caption = !title.isEmpty()              ? title
                          : kind == TMessageKind::Error ? QApplication::applicationName()
                                                        : KindCaption(kind);
  QMessageBox box(KindIcon(kind), caption, text, QMessageBox::NoButton, Parent);
  QList<QAbstractButton*> made;
  for (const TButton button : buttons) {
    made << AddButton(box, button);
  }
  box.exec();
  for (qsizetype i = 0; i < made.size(); ++i) {
    if (box.clickedButton() == made[i]) {
      return buttons[i];
    }
  }
  return buttons.size() == 1 ? buttons.front() : TButton::Cancel;
}

QString TDialogPrompts::OpenFileName(const QString& filter, const QString& title) {
  const TFocusReturn focus;
  return QFileDialog::getOpenFileName(Parent, title.isEmpty() ? QStringLiteral("Open") : title, {},
                                      DialogFilters(filter).join(QStringLiteral(";;")));
}

std::optional<TSaveAnswer> TDialogPrompts::SaveFileName(const QString& filter,
                                                        const QString& presetName) {
  const TFocusReturn focus;
  const QStringList filters = DialogFilters(filter);
  QFileDialog dialog(Parent, QStringLiteral("Save As"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // It would ask about the name as typed, before the program adds the extension; the program
  // asks about the file it writes.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilters(filters);
  dialog.selectFile(presetName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return TSaveAnswer{dialog.selectedFiles().front(),
                     std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}

std::optional<QColor> TDialogPrompts::ChooseColor(const QColor& initial) {
  const TFocusReturn focus;
  // The dialog keeps its custom colours for the whole run: a colour mixed once is offered again.
  const QColor chosen = QColorDialog::getColor(initial, Parent);
  return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

bool TDialogPrompts::RunDialog(QDialog& dialog) {
  const TFocusReturn focus;
  return dialog.exec() == QDialog::Accepted;
}

bool TDialogPrompts::Progress(const QString& text,
                              const std::function<void(std::function<void()> done)>& start) {
  const TFocusReturn focus;
  QProgressDialog box(text, QStringLiteral("Cancel"), 0, 0, Parent);
  box.setWindowTitle(QApplication::applicationName());
  box.setWindowModality(Qt::ApplicationModal);
  // Only done closes it; Cancel, Escape and the close button reject it.
  box.setAutoClose(false);
  box.setAutoReset(false);
  // Shared with done, which may outlive the box, and is called before the box is up when the
  // work ends at once.
  const auto finished = std::make_shared<bool>(false);
  start([finished, guard = QPointer<QProgressDialog>(&box)] {
    *finished = true;
    if (guard != nullptr) {
      guard->accept();
    }
  });
  if (!*finished) {
    box.exec();
  }
  return *finished;
}

}  // namespace qm
