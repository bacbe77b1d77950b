// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings.h"

#include "platform/settingsstore.h"

namespace qm {

int TIntegerSetting::Read(const TSettingsStore& store) const {
  const std::optional<int> value = store.ReadInteger(Key());
  return value && *value >= Min && *value <= Max ? *value : Default;
}

void TIntegerSetting::Write(TSettingsStore& store, int value) const {
  store.WriteInteger(Key(), value);
}

QString TStringSetting::Read(const TSettingsStore& store) const {
  const std::optional<QString> value = store.ReadString(Key());
  return value && !value->trimmed().isEmpty() ? *value : QString::fromLatin1(Default);
}

void TStringSetting::Write(TSettingsStore& store, const QString& value) const {
  store.WriteString(Key(), value);
}

bool TNumberTextSetting::Accepts(const QString& text) const {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  return ok && value >= Min && value <= Max;
}

int TNumberTextSetting::Read(const TSettingsStore& store) const {
  const std::optional<QString> text = store.ReadString(Key());
  return text && Accepts(*text) ? text->trimmed().toInt() : Default;
}

QString TNumberTextSetting::ReadText(const TSettingsStore& store) const {
  return store.ReadString(Key()).value_or(QString::number(Default));
}

void TNumberTextSetting::WriteText(TSettingsStore& store, const QString& text) const {
  store.WriteString(Key(), text);
}

QString TNumberedSetting::Key(int number) const {
  return QLatin1String(Prefix) + QString::number(number) + QLatin1String(Suffix);
}

namespace Setting {

TWindowBounds ReadWindowBounds(const TSettingsStore& store) {
  return {Left.Read(store), Top.Read(store), Width.Read(store), Height.Read(store)};
}

void WriteWindowBounds(TSettingsStore& store, const TWindowBounds& bounds) {
  Left.Write(store, bounds.Left);
  Top.Write(store, bounds.Top);
  Width.Write(store, bounds.Width);
  Height.Write(store, bounds.Height);
}

std::vector<TBrowserEntry> ReadBrowsers(const TSettingsStore& store) {
  std::vector<TBrowserEntry> browsers;
  for (int n = 1; n <= MaxBrowsers; ++n) {
    const QString name = store.ReadString(BrowserName.Key(n)).value_or(QString());
    if (name.isEmpty()) {
      break;
    }
    browsers.push_back({name, store.ReadString(BrowserPath.Key(n)).value_or(QString())});
  }
  return browsers;
}

void WriteBrowsers(TSettingsStore& store, const std::vector<TBrowserEntry>& browsers) {
  for (int n = 1; n <= MaxBrowsers; ++n) {
    store.DeleteValue(BrowserName.Key(n));
    store.DeleteValue(BrowserPath.Key(n));
  }
  for (size_t i = 0; i < browsers.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    store.WriteString(BrowserName.Key(n), browsers[i].Name);
    store.WriteString(BrowserPath.Key(n), browsers[i].Path);
  }
}

}  // namespace Setting

}  // namespace qm
