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
#include "model/values/colortext.h"
#include "model/values/valuepriority.h"
#include "platform/prompts.h"

namespace qm {

namespace {

// The colour a value names, in any notation ("red", "#F00", "rgb(255 0 0)"), else the one its
// "#" and hex digits give; black for anything else, so the colour dialog always has a colour to
// start from.
QColor StartColor(std::string_view value) {
  int32_t color = 0;
  if (const std::optional<int32_t> named = ColorFromText(value)) {
    color = *named;
  } else {
    try {
      color = HexToColor(std::string(value));
    } catch (const TError&) {
      // Not hexadecimal after its "#": the dialog starts on black.
    }
  }
  return {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
}

// The value a dialog composed, with the priority the old value had.
QString Prioritised(const QString& composed, std::string_view priority) {
  return QString::fromStdString(WithPriority(composed.toStdString(), priority));
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
  // The dialogs compose the value; its priority is no part of it and stays as it was.
  const TValuePriority old = SplitPriority(value);
  if (placeholder == TPlaceholder::Url) {
    const QString image = prompts.OpenFileName(ImageFilter());
    if (image.isEmpty()) {
      return std::nullopt;
    }
    return Prioritised(
        QString::fromStdString(ImageUrl(documentPath.toStdString(), image.toStdString())),
        old.Priority);
  }
  if (placeholder == TPlaceholder::Color) {
    const std::optional<QColor> chosen = prompts.ChooseColor(StartColor(old.Value));
    if (!chosen) {
      return std::nullopt;
    }
    return Prioritised(QString::fromStdString(ColorToHex(chosen->red() | (chosen->green() << 8) |
                                                         (chosen->blue() << 16))),
                       old.Priority);
  }
  valueDialog.Mode = placeholder == TPlaceholder::Font     ? TFrmEdit::FontMode
                     : placeholder == TPlaceholder::Length ? TFrmEdit::LengthMode
                                                           : TFrmEdit::PercentageMode;
  valueDialog.LoadValue(QString::fromStdString(std::string(old.Value)));
  if (!prompts.RunDialog(valueDialog)) {
    return std::nullopt;
  }
  return Prioritised(valueDialog.Result(), old.Priority);
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
