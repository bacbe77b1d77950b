// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsstore.h"

namespace qm {

TSettingsStore::TSettingsStore(std::unique_ptr<QSettings> settings)
    : Settings(std::move(settings)) {}

TSettingsStore::~TSettingsStore() = default;

std::unique_ptr<TSettingsStore> TSettingsStore::ForUser() {
#ifdef Q_OS_WIN
  auto settings = std::make_unique<QSettings>(
      QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmere"), QSettings::NativeFormat);
#else
  auto settings =
      std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                  QStringLiteral("Quillmere"), QStringLiteral("Quillmere"));
#endif
  return std::make_unique<TSettingsStore>(std::move(settings));
}

std::unique_ptr<TSettingsStore> TSettingsStore::ForIniFile(const QString& path) {
  return std::make_unique<TSettingsStore>(std::make_unique<QSettings>(path, QSettings::IniFormat));
}

std::optional<int> TSettingsStore::ReadInteger(const QString& name) const {
  const QVariant value = Settings->value(name);
  if (!value.isValid()) {
    return std::nullopt;
  }
  // An INI file gives every value back as text; the registry gives a DWORD as a number.
  bool ok = false;
  const int number = value.typeId() == QMetaType::QString ? value.toString().trimmed().toInt(&ok)
                                                          : value.toInt(&ok);
  return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<QString> TSettingsStore::ReadString(const QString& name) const {
  const QVariant value = Settings->value(name);
  if (!value.isValid()) {
    return std::nullopt;
  }
  return value.toString();
}

bool TSettingsStore::Contains(const QString& name) const {
  return Settings->contains(name);
}

void TSettingsStore::WriteInteger(const QString& name, int value) {
  Settings->setValue(name, value);
}

void TSettingsStore::WriteString(const QString& name, const QString& value) {
  Settings->setValue(name, value);
}

void TSettingsStore::DeleteValue(const QString& name) {
  Settings->remove(name);
}

void TSettingsStore::Flush() {
  Settings->sync();
}

}  // namespace qm
