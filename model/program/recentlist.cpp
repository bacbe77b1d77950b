// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/recentlist.h"
#include "model/asciicase.h"

#include <algorithm>

namespace qm {

std::vector<std::string> RecentListAfterAdd(const std::vector<std::string>& stored,
                                            std::string_view fileName, int maxItems) {
  std::vector<std::string> list{std::string(fileName)};
  const size_t count = std::min(stored.size(), static_cast<size_t>(std::max(maxItems, 0)));
  for (size_t i = 0; i < count; ++i) {
    const std::string& entry = stored[i];
    if (!entry.empty() && !EqualIgnoringAsciiCase(entry, fileName) &&
        list.size() <= static_cast<size_t>(maxItems)) {
      list.push_back(entry);
    }
  }
  return list;
}

TRecentMenu BuildRecentMenu(std::vector<std::string> storedSlots, int maxItems, bool fileMustExist,
                            const std::function<bool(const std::string&)>& fileExists) {
  TRecentMenu menu;
  storedSlots.resize(static_cast<size_t>(maxItems) + 1);
  for (int n = 1; n <= maxItems; ++n) {
    std::string& entry = storedSlots[static_cast<size_t>(n - 1)];
    // An empty slot names no file: there is nothing to drop, and nothing would ever fill it.
    while (fileMustExist && !entry.empty() && !fileExists(entry)) {
      std::move(storedSlots.begin() + n, storedSlots.end(), storedSlots.begin() + n - 1);
      storedSlots.back().clear();
      menu.Changed = true;
    }
    if (!entry.empty()) {
      menu.Items.push_back({n, entry});
    }
  }
  menu.Slots = std::move(storedSlots);
  return menu;
}

std::string RecentCaption(int number, std::string_view path, bool showFullPath) {
  std::string_view shown = path;
  if (!showFullPath) {
    const size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos) {
      shown = path.substr(slash + 1);
    }
  }
  std::string caption("&");
  caption.append(std::to_string(number));
  caption.push_back(' ');
  caption.append(shown);
  return caption;
}

}  // namespace qm
