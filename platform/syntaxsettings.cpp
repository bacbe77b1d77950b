// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/syntaxsettings.h"

#include <QString>

#include "platform/settingsstore.h"

namespace qm {

namespace {

QString ValueName(size_t kind, const char* value) {
  const std::string_view name = TokenAttributes[kind].Name;
  return QStringLiteral("Editor/%1/%2")
      .arg(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
           QLatin1String(value));
}

}  // namespace

void LoadSyntaxStyles(const TSettingsStore& settings, TSyntaxStyles& styles) {
  for (size_t kind = 0; kind < styles.size(); ++kind) {
    TSyntaxStyle& style = styles[kind];
    if (const auto back = settings.ReadInteger(ValueName(kind, "Background"))) {
      style.Background = DecodeColor(static_cast<uint32_t>(*back));
    }
    if (const auto fore = settings.ReadInteger(ValueName(kind, "Foreground"))) {
      style.Foreground = DecodeColor(static_cast<uint32_t>(*fore));
    }
    if (const auto bits = settings.ReadInteger(ValueName(kind, "Style"))) {
      style.Style = *bits & 0x0F;
    }
  }
}

void SaveSyntaxStyles(TSettingsStore& settings, const TSyntaxStyles& styles) {
  for (size_t kind = 0; kind < styles.size(); ++kind) {
    settings.WriteInteger(ValueName(kind, "Background"), EncodeColor(styles[kind].Background));
    settings.WriteInteger(ValueName(kind, "Foreground"), EncodeColor(styles[kind].Foreground));
    settings.WriteInteger(ValueName(kind, "Style"), styles[kind].Style);
  }
}

}  // namespace qm
