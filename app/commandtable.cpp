// SPDX-License-Identifier: GPL-3.0-or-later
// The actions made from the command table's rows, and menus and tool bars filled with them by
// name.
#include "app/commandtable.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "controls/bitmaps.h"
#include "platform/commandguard.h"

namespace qm {

namespace {

void AddSeparator(QWidget* bar) {
  auto* separator = new QAction(bar);
  separator->setSeparator(true);
  bar->addAction(separator);
}

}  // namespace

void AddCommands(QObject* owner, TPrompts& prompts, std::span<const TCommand> rows, QWidget* menu) {
  for (const TCommand& row : rows) {
    if (qstrcmp(row.Name, "|") == 0) {
      if (menu != nullptr) {
        AddSeparator(menu);
      }
      continue;
    }
    auto* action = new QAction(QString::fromUtf8(row.Caption), owner);
    action->setObjectName(QLatin1String(row.Name));
    if (row.Icon != nullptr) {
      action->setIcon(ProgramIcon(row.Icon));
    }
    action->setCheckable(row.Checkable);
    const QList<QKeySequence> keys = *row.Keys == '\0'
                                         ? QList<QKeySequence>()
                                         : QKeySequence::listFromString(QLatin1String(row.Keys));
    action->setShortcuts(keys);
    if (row.Scope == TKeyScope::Editor) {
      action->setShortcutContext(Qt::WidgetShortcut);
    }
    QString hint = QString::fromUtf8(row.Hint != nullptr ? row.Hint : row.Caption);
    if (!keys.isEmpty()) {
      hint += QStringLiteral(" (") + keys.first().toString(QKeySequence::NativeText) +
              QStringLiteral(")");
    }
    action->setToolTip(hint);
    if (row.Run) {
      QObject::connect(action, &QAction::triggered, owner,
                       [&prompts, run = row.Run] { RunCommand(prompts, run); });
    }
    if (menu != nullptr) {
      menu->addAction(action);
    }
  }
}

QAction* FindCommand(const QObject* owner, const QString& name) {
  return owner->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void AddToBar(QWidget* bar, const std::function<QAction*(const QString&)>& find,
              std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (qstrcmp(name, "|") == 0) {
      AddSeparator(bar);
      continue;
    }
    QAction* action = find(QLatin1String(name));
    Q_ASSERT_X(action != nullptr, "AddToBar", name);
    bar->addAction(action);
  }
}

}  // namespace qm
