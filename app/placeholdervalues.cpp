// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/placeholdervalues.h"

#include <QColor>

#include "app/opendocument.h"
#include "dialogs/cssedit.h"
#include "model/catalogue/droplist.h"
#include "model/error.h"
#include "model/program/imageurl.h"
#include "model/sheet/declarations.h"
#include "model/text/textencoding.h"
#include "model/text/textscan.h"
#include "platform/prompts.h"

namespace qm {

namespace {

// The colour a value names as #RRGGBB; black for anything else, so the colour dialog always has
// a colour to start from.
QColor StartColor(const std::string& value) {
  int32_t color = 0;
  try {
    color = HexToColor(value);
  } catch (const TError&) {
    // Not hexadecimal after its "#": the dialog starts on black.
  }
  return {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
}

}  // namespace

QString ImageFilter() {
  return QStringLiteral(
      "Image Files|*.jpg;*.jpeg;*.gif;*.bmp;*.png;*.jif;*.psd;*.svg;*.tif;*.tiff;*.emf;*.wmf;"
      "*.tga|All Files|*.*");
}

bool IsPlaceholder(const QString& entry) {
  return PlaceholderOf(entry.toStdString()) != TPlaceholder::None;
}

std::optional<QString> ComposeValue(TPrompts& prompts, TFrmEdit& valueDialog, const QString& entry,
                                    const std::string& value, const QString& documentPath) {
  const TPlaceholder placeholder = PlaceholderOf(entry.toStdString());
  if (placeholder == TPlaceholder::None) {
    return entry;
  }
  if (placeholder == TPlaceholder::Url) {
    const QString image = prompts.OpenFileName(ImageFilter());
    if (image.isEmpty()) {
      return std::nullopt;
    }
    return QString::fromStdString(ImageUrl(documentPath.toStdString(), image.toStdString()));
  }
  if (placeholder == TPlaceholder::Color) {
    const std::optional<QColor> chosen = prompts.ChooseColor(StartColor(value));
    if (!chosen) {
      return std::nullopt;
    }
    return QString::fromStdString(
        ColorToHex(chosen->red() | (chosen->green() << 8) | (chosen->blue() << 16)));
  }
  valueDialog.Mode = placeholder == TPlaceholder::Font     ? TFrmEdit::FontMode
                     : placeholder == TPlaceholder::Length ? TFrmEdit::LengthMode
                                                           : TFrmEdit::PercentageMode;
  valueDialog.LoadValue(QString::fromStdString(value));
  if (!prompts.RunDialog(valueDialog)) {
    return std::nullopt;
  }
  return valueDialog.Result();
}

QString EditingStatus(const TOpenDocument& document) {
  const TModList& blocks = document.Blocks();
  const int32_t block = RuleBlockAt(*document.Editor(), blocks, document.Editor()->Caret());
  if (block < 0) {
    return {};
  }
  return QStringLiteral("Editing ") +
         QString::fromStdString(ToUtf8(blocks.Items(block).Name, document.Encoding())) +
         QStringLiteral(" properties.");
}

}  // namespace qm
