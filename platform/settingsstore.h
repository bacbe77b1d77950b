// SPDX-License-Identifier: GPL-3.0-or-later
// The program's settings: the registry key "Software\Quillmere" on Windows, an INI file elsewhere.
// Names may hold a subkey path ("Editor/Comment/Style"); integers stay integers, strings strings.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

namespace qm {

class TSettingsStore {
 public:
  explicit TSettingsStore(std::unique_ptr<QSettings> settings);
  ~TSettingsStore();

  // The current user's store: HKEY_CURRENT_USER\Software\Quillmere or ~/.config/Quillmere.
  static std::unique_ptr<TSettingsStore> ForUser();
  // A store kept in one INI file (tests, portable use).
  static std::unique_ptr<TSettingsStore> ForIniFile(const QString& path);

  // Missing values, and values that are not whole numbers, read as nothing.
  std::optional<int> ReadInteger(const QString& name) const;
  std::optional<QString> ReadString(const QString& name) const;
  bool Contains(const QString& name) const;

  void WriteInteger(const QString& name, int value);
  void WriteString(const QString& name, const QString& value);
  void DeleteValue(const QString& name);
  // Writes pending changes to the backing store.
  void Flush();

 private:
  std::unique_ptr<QSettings> Settings;
};

}  // namespace qm
