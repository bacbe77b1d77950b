// SPDX-License-Identifier: GPL-3.0-or-later
// The loaded property catalogue: category, property and shorthand-part rows in display order,
// each row also holding its property's value in the current selector.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class TIniFile;
class TInspectorCollection;

enum class TEditType : uint8_t { etText = 0, etList = 1 };

// One row: a category (ChildLevel 0), a property (1, CssTag = its name) or one part of a
// shorthand property (2, empty CssTag). Items live in their collection and never move in memory,
// so Parent and the owner's selection stay valid while the collection is rearranged.
class TInspectorItem {
 public:
  TInspectorItem(const TInspectorItem&) = delete;
  TInspectorItem& operator=(const TInspectorItem&) = delete;

  std::string Caption;
  std::string EditList;  // the drop-down's entries, "|"-separated, for an etList row
  std::string CssTag;
  std::string Description;
  uint8_t ChildLevel = 0;
  TEditType EditType = TEditType::etText;
  bool HasChildren = false;
  TInspectorItem* Parent = nullptr;
  bool Expanded = true;
  int32_t DisplayID = 0;  // position given by the last layout, -1 while not shown
  bool Pinned = false;
  // "|"-separated support flags: Opera 5, Netscape 6, Internet Explorer 5; or, where the
  // collection names its browsers, one version field per browser (DescribeSupport)
  std::string Browsers;

  const std::string& Value() const { return value_; }
  // A different value is stored and reported to the collection's OnValueChange; the same value
  // is not reported, so the owner repaints only rows that changed.
  void SetValue(std::string_view value);

  // Position in the collection's current order.
  int32_t Index() const { return index_; }
  const TInspectorCollection& Collection() const { return owner_; }

 private:
  friend class TInspectorCollection;
  TInspectorItem(TInspectorCollection& owner, int32_t index) : owner_(owner), index_(index) {}

  TInspectorCollection& owner_;
  std::string value_;
  int32_t index_;
};

class TInspectorCollection {
 public:
  using TValueChangeEvent = std::function<void(const TInspectorItem& item)>;
  // Negative, zero or positive as a sorts before, with or after b.
  using TCollate = std::function<int(std::string_view a, std::string_view b)>;

  TInspectorCollection();
  TInspectorCollection(const TInspectorCollection&) = delete;
  TInspectorCollection& operator=(const TInspectorCollection&) = delete;

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Throws std::out_of_range for an index outside 0 .. Count() - 1.
  TInspectorItem& Items(int32_t index) { return *items_.at(static_cast<size_t>(index)); }
  const TInspectorItem& Items(int32_t index) const {
    return *items_.at(static_cast<size_t>(index));
  }

  void Clear();

  // Appends a row. An edit list that starts with "/" is a shorthand's part list, not values,
  // so such a row is edited as text like one without a list.
  TInspectorItem& AddItem(std::string_view caption, std::string_view cssTag,
                          std::string_view editList, std::string_view description,
                          std::string_view browsers, uint8_t childLevel, TInspectorItem* parent);

  // Replaces every row by the catalogue, in categorised order. A missing or unreadable file, or
  // one that names parts or categories that do not exist, still gives a whole collection.
  void LoadCatalogue(const std::filesystem::path& fileName);
  void LoadCatalogue(const TIniFile& catalogue);

  // Categorised (false): categories sorted by caption, each followed by its properties in their
  // present order. Alphabetical (true): categories in their present order, then all properties
  // sorted by caption. Either way every property is followed by its part rows, unsorted.
  void Arrange(bool alphabetical);

  // The first row whose CssTag is exactly name (case-sensitive); -1 for none or an empty name.
  int32_t IndexOfTag(std::string_view name) const;
  // The number of rows directly after item whose Parent is item.
  int32_t ChildCount(const TInspectorItem& item) const;

  // The browsers of the loaded catalogue's support fields; empty for the three fixed ones.
  std::vector<std::string> BrowserNames;

  // Told after a row's value has changed.
  TValueChangeEvent OnValueChange;
  // How captions are ordered; ASCII letters compare without regard to case unless the owner
  // supplies the user's locale order.
  TCollate Collate;

 private:
  void Renumber();

  std::vector<std::unique_ptr<TInspectorItem>> items_;
};

// Case-insensitive comparison of ASCII letters, other bytes by value: the default Collate.
int CompareText(std::string_view a, std::string_view b);

}  // namespace qm
