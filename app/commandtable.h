// SPDX-License-Identifier: GPL-3.0-or-later
// The window's commands as rows of a table (name, caption, hint, image, keys, what it does), and
// the actions, menus, tool bar and pop-up menus made from those rows.
#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <span>

class QAction;
class QObject;
class QWidget;

namespace qm {

class TPrompts;

// Where a command's keys work.
enum class TKeyScope {
  // Anywhere in the window.
  Window,
  // The editor takes these keys itself (some through the Edit menu's key routing): the menus and
  // tool tips only name them, and they never fire outside the menus, where a key belongs to the
  // widget with the focus.
  Editor,
};

struct TCommand {
  // The action's object name: the tool bar, the pop-up menu and the tests find the command by it.
  // In a menu's table, "|" stands for a separator.
  const char* Name;
  const char* Caption = "";
  // The tool tip; the caption when there is none. The first key follows it in brackets.
  const char* Hint = nullptr;
  // The image ":/icons/<Icon>.svg", or none.
  const char* Icon = nullptr;
  // The keys as the menus show them, several separated by "; " ("Ctrl+F; F3").
  const char* Keys = "";
  std::function<void()> Run = {};
  TKeyScope Scope = TKeyScope::Window;
  // A command with a check mark, which flips before Run runs.
  bool Checkable = false;
};

// Makes the action of each row, a child of owner, and appends it to menu when there is one, in
// the rows' order. A failure of Run is reported through prompts where the command starts.
void AddCommands(QObject* owner, TPrompts& prompts, std::span<const TCommand> rows,
                 QWidget* menu = nullptr);

// The command called name among owner's own actions; none when owner has no such command.
QAction* FindCommand(const QObject* owner, const QString& name);

// Appends the commands called names to a tool bar or pop-up menu in that order, a separator for
// each "|"; find looks a name up. A name without a command is a programming error.
void AddToBar(QWidget* bar, const std::function<QAction*(const QString&)>& find,
              std::initializer_list<const char*> names);

}  // namespace qm
