// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/recentfiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "model/program/recentlist.h"
#include "platform/prompts.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"

namespace qm {

TRecentFiles::TRecentFiles(TSettingsStore& store, TPrompts& prompts, QObject* parent)
    : QObject(parent), Store(store), Prompts(prompts) {}

QString TRecentFiles::SlotName(int number) const {
  const QString name = Setting::RecentFile.Key(number);
  return RegPath.isEmpty() ? name : RegPath + QLatin1Char('/') + name;
}

void TRecentFiles::SetParentMenu(QMenu* menu) {
  RemoveItems();
  ParentMenu_ = menu;
  if (menu != nullptr && Position_ > menu->actions().size()) {
    Position_ = static_cast<int>(menu->actions().size());
  }
}

void TRecentFiles::SetPosition(int value) {
  if (ParentMenu_ != nullptr && ParentMenu_->actions().size() < value) {
    Prompts.Message(TMessageKind::Error, QStringLiteral("Position out of range"), {TButton::Ok});
    return;
  }
  Position_ = std::clamp(value, 0, 255);
}

void TRecentFiles::AddRecentFile(const QString& fileName) {
  std::vector<std::string> stored;
  for (int n = 1; n <= MaxItems_; ++n) {
    stored.push_back(Store.ReadString(SlotName(n)).value_or(QString()).toStdString());
  }
  const std::vector<std::string> list =
      RecentListAfterAdd(stored, fileName.toStdString(), MaxItems_);
  for (size_t i = 0; i < list.size(); ++i) {
    Store.WriteString(SlotName(static_cast<int>(i) + 1), QString::fromStdString(list[i]));
  }
  RebuildRecentMenu();
}

void TRecentFiles::RemoveItems() {
  for (QAction* item : std::as_const(Items_)) {
    if (ParentMenu_ != nullptr) {
      ParentMenu_->removeAction(item);
    }
    item->deleteLater();
  }
  Items_.clear();
}

void TRecentFiles::RebuildRecentMenu() {
  if (ParentMenu_ == nullptr) {
    Prompts.Message(TMessageKind::Error, QStringLiteral("ParentMenu not assigned"), {TButton::Ok});
    return;
  }
  RemoveItems();
  std::vector<std::string> storedSlots;
  for (int n = 1; n <= MaxItems_ + 1; ++n) {
    storedSlots.push_back(Store.ReadString(SlotName(n)).value_or(QString()).toStdString());
  }
  const TRecentMenu menu = BuildRecentMenu(
      std::move(storedSlots), MaxItems_, FileMustExist,
      [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); });
  if (menu.Changed) {
    for (size_t i = 0; i < menu.Slots.size(); ++i) {
      Store.WriteString(SlotName(static_cast<int>(i) + 1), QString::fromStdString(menu.Slots[i]));
    }
  }
  for (const TRecentMenu::TItem& entry : menu.Items) {
    const QString path = QString::fromStdString(entry.Path);
    auto* item = new QAction(
        QString::fromStdString(RecentCaption(entry.Number, entry.Path, ShowFullPath)), ParentMenu_);
    item->setData(entry.Number);
    connect(item, &QAction::triggered, this, [this, path] { ItemClicked(path); });
    const QList<QAction*> actions = ParentMenu_->actions();
    const qsizetype at = Position_ + Items_.size();
    ParentMenu_->insertAction(at < actions.size() ? actions[at] : nullptr, item);
    Items_.append(item);
    if (OnCreateItem) {
      OnCreateItem(this, item, path);
    }
  }
}

void TRecentFiles::ItemClicked(const QString& path) {
  if (!OnClickRecentItem || path.isEmpty()) {
    return;
  }
  if (!QFileInfo(path).isFile()) {
    Prompts.Message(TMessageKind::Error, QStringLiteral("File not found. Check the file path."),
                    {TButton::Ok});
    return;
  }
  OnClickRecentItem(this, path);
}

}  // namespace qm
