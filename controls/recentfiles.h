// SPDX-License-Identifier: GPL-3.0-or-later
// A most-recently-used file list kept in the settings store and shown as numbered items
// ("&1 site.css") inside an existing menu, from a given position on.
#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QAction;

namespace qm {

class TSettingsStore;
class TPrompts;

class TRecentFiles : public QObject {
  Q_OBJECT

 public:
  using TClickRecentItem = std::function<void(TRecentFiles* sender, const QString& filename)>;
  using TCreateItem =
      std::function<void(TRecentFiles* sender, QAction* item, const QString& filename)>;

  TRecentFiles(TSettingsStore& store, TPrompts& prompts, QObject* parent = nullptr);

  int MaxItems() const { return MaxItems_; }
  void SetMaxItems(int value) { MaxItems_ = std::clamp(value, 1, 255); }
  bool ShowFullPath = false;
  bool FileMustExist = true;
  // The group of the settings store that holds recent1, recent2, ...; empty for its top.
  QString RegPath;
  QMenu* ParentMenu() const { return ParentMenu_; }
  void SetParentMenu(QMenu* menu);
  int Position() const { return Position_; }
  // Refused with "Position out of range" when the menu has fewer items than value.
  void SetPosition(int value);
  TClickRecentItem OnClickRecentItem;
  TCreateItem OnCreateItem;

  void AddRecentFile(const QString& fileName);
  void RebuildRecentMenu();
  // The items inserted into the menu, in menu order.
  const QList<QAction*>& Items() const { return Items_; }

 private:
  QString SlotName(int number) const;
  void RemoveItems();
  void ItemClicked(const QString& path);

  TSettingsStore& Store;
  TPrompts& Prompts;
  int MaxItems_ = 5;
  int Position_ = 0;
  QPointer<QMenu> ParentMenu_;
  QList<QAction*> Items_;
};

}  // namespace qm
