// SPDX-License-Identifier: GPL-3.0-or-later
// The most-recently-used file list as it is stored: storedSlots recent1..recent(max+1), newest
// first, the last slot kept but not shown so that it can move up when a shown entry is dropped.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The entries to write as recent1, recent2, ... after fileName was opened. stored holds the
// values of recent1..recent(maxItems) ("" where missing). Entries equal to fileName in any
// ASCII letter case are dropped; the result holds at most maxItems + 1 entries.
std::vector<std::string> RecentListAfterAdd(const std::vector<std::string>& stored,
                                            std::string_view fileName, int maxItems);

struct TRecentMenu {
  struct TItem {
    int Number;  // the N of recentN, shown as the item's accelerator
    std::string Path;
  };
  std::vector<TItem> Items;
  // recent1..recent(maxItems + 1) after dropping missing files.
  std::vector<std::string> Slots;
  // Whether Slots differ from what was read and must be written back.
  bool Changed = false;
};

// The menu for the stored storedSlots recent1..recent(maxItems + 1) ("" where missing). With
// fileMustExist, a slot naming a missing file is dropped and the storedSlots after it move up.
TRecentMenu BuildRecentMenu(std::vector<std::string> storedSlots, int maxItems, bool fileMustExist,
                            const std::function<bool(const std::string&)>& fileExists);

// "&N " and either the whole path or its file name.
std::string RecentCaption(int number, std::string_view path, bool showFullPath);

}  // namespace qm
