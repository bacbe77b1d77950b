// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/catalogue.h"
#include "model/asciicase.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "model/catalogue/cataloguefacts.h"
#include "model/catalogue/inifile.h"
#include "model/listrule.h"

namespace qm {

namespace {

constexpr std::string_view kCategories = "categories";
// The default of names and support flags: an absent category or property name ends its list.
constexpr std::string_view kAbsent = "-1";

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
    if (ca != cb) {
      return ca < cb ? -1 : 1;
    }
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void TInspectorItem::SetValue(std::string_view value) {
  if (value == value_) {
    return;
  }
  value_.assign(value);
  if (owner_.OnValueChange) {
    owner_.OnValueChange(*this);
  }
}

TInspectorCollection::TInspectorCollection() : Collate(CompareText) {}

void TInspectorCollection::Clear() {
  items_.clear();
  BrowserNames.clear();
}

TInspectorItem& TInspectorCollection::AddItem(std::string_view caption, std::string_view cssTag,
                                              std::string_view editList,
                                              std::string_view description,
                                              std::string_view browsers, uint8_t childLevel,
                                              TInspectorItem* parent) {
  items_.push_back(std::unique_ptr<TInspectorItem>(new TInspectorItem(*this, Count())));
  TInspectorItem& item = *items_.back();
  if (parent != nullptr) {
    parent->HasChildren = true;
  }
  item.Caption.assign(caption);
  item.CssTag.assign(cssTag);
  item.ChildLevel = childLevel;
  item.Description.assign(description);
  item.Browsers.assign(browsers);
  item.Parent = parent;
  item.Pinned = false;
  if (!editList.empty() && editList.front() != '/') {
    item.EditList.assign(editList);
    item.EditType = TEditType::etList;
  }
  return item;
}

void TInspectorCollection::LoadCatalogue(const std::filesystem::path& fileName) {
  LoadCatalogue(TIniFile::FromFile(fileName));
}

void TInspectorCollection::LoadCatalogue(const TIniFile& catalogue) {
  Clear();
  BrowserNames = CatalogueBrowsers(catalogue);

  // Category n is item n while the properties load. Key "0" is always taken, so even an empty
  // catalogue has a category for its properties to fall back on.
  int32_t categoryCount = 0;
  std::string caption = catalogue.ReadString(kCategories, "0", kAbsent);
  do {
    AddItem(caption, "", "", "", "", 0, nullptr);
    ++categoryCount;
    caption = catalogue.ReadString(kCategories, std::to_string(categoryCount), kAbsent);
  } while (caption != kAbsent);

  int32_t number = 1;
  std::string name = catalogue.ReadString("1", "name", kAbsent);
  do {
    const std::string section = std::to_string(number);
    const std::string value = catalogue.ReadString(section, "value", "");
    // A property without written words is described by its facts where it lists them.
    std::string info = catalogue.ReadString(section, "info", "Not Available");
    if (info == "Not Available" && catalogue.ReadString(section, "info", "") != info) {
      if (std::string facts = DescribeFacts(catalogue, section, BrowserNames); !facts.empty()) {
        info = std::move(facts);
      }
    }
    const std::string supported = catalogue.ReadString(section, "supported", kAbsent);
    int32_t category = catalogue.ReadInteger(section, "category", 0);
    if (category < 0 || category >= categoryCount) {
      category = 0;
    }
    TInspectorItem& property = AddItem(name, name, value, info, supported, 1, &Items(category));

    if (!value.empty() && value.front() == '/') {
      for (const std::string& part : SplitList(std::string_view(value).substr(1), '/')) {
        // Only a property of an earlier section can be a part: that rules out empty entries,
        // unknown names and a shorthand that names itself.
        const auto earlier = items_.begin() + property.Index();
        const auto named = std::find_if(items_.begin(), earlier,
                                        [&](const auto& item) { return item->CssTag == part; });
        if (part.empty() || named == earlier) {
          continue;
        }
        const TInspectorItem& source = **named;
        AddItem(source.Caption, "", source.EditList, source.Description, source.Browsers, 2,
                &property);
      }
    }

    ++number;
    name = catalogue.ReadString(std::to_string(number), "name", kAbsent);
  } while (name != kAbsent);

  Arrange(false);
}

void TInspectorCollection::Arrange(bool alphabetical) {
  std::vector<TInspectorItem*> categories;
  std::vector<TInspectorItem*> properties;
  std::unordered_map<const TInspectorItem*, std::vector<TInspectorItem*>> children;
  for (const auto& item : items_) {
    if (item->ChildLevel == 0) {
      categories.push_back(item.get());
    } else if (item->ChildLevel == 1) {
      properties.push_back(item.get());
    }
    if (item->Parent != nullptr) {
      children[item->Parent].push_back(item.get());
    }
  }
  const auto byCaption = [this](const TInspectorItem* a, const TInspectorItem* b) {
    return Collate(a->Caption, b->Caption) < 0;
  };

  std::vector<TInspectorItem*> order;
  order.reserve(items_.size());
  std::vector<bool> placed(items_.size(), false);
  // Depth first: each row directly followed by its children, in their present order.
  const auto place = [&](auto& self, TInspectorItem* item, bool withChildren) -> void {
    if (placed[static_cast<size_t>(item->index_)]) {
      return;
    }
    placed[static_cast<size_t>(item->index_)] = true;
    order.push_back(item);
    if (!withChildren) {
      return;
    }
    if (const auto found = children.find(item); found != children.end()) {
      for (TInspectorItem* child : found->second) {
        self(self, child, true);
      }
    }
  };

  if (alphabetical) {
    std::stable_sort(properties.begin(), properties.end(), byCaption);
    for (TInspectorItem* category : categories) {
      place(place, category, false);
    }
    for (TInspectorItem* property : properties) {
      place(place, property, true);
    }
  } else {
    std::stable_sort(categories.begin(), categories.end(), byCaption);
    for (TInspectorItem* category : categories) {
      place(place, category, true);
    }
  }
  // Rows that hang from no category (possible only through AddItem) go to the end rather than
  // dropping out of the collection.
  for (const auto& item : items_) {
    place(place, item.get(), true);
  }

  std::vector<std::unique_ptr<TInspectorItem>> arranged(items_.size());
  for (size_t i = 0; i < order.size(); ++i) {
    arranged[i] = std::move(items_[static_cast<size_t>(order[i]->index_)]);
  }
  items_ = std::move(arranged);
  Renumber();
}

void TInspectorCollection::Renumber() {
  for (size_t i = 0; i < items_.size(); ++i) {
    items_[i]->index_ = static_cast<int32_t>(i);
  }
}

int32_t TInspectorCollection::IndexOfTag(std::string_view name) const {
  if (name.empty()) {
    return -1;
  }
  for (const auto& item : items_) {
    if (item->CssTag == name) {
      return item->index_;
    }
  }
  return -1;
}

int32_t TInspectorCollection::ChildCount(const TInspectorItem& item) const {
  int32_t count = 0;
  for (size_t i = static_cast<size_t>(item.index_) + 1;
       i < items_.size() && items_[i]->Parent == &item; ++i) {
    ++count;
  }
  return count;
}

}  // namespace qm
