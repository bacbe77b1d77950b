// SPDX-License-Identifier: GPL-3.0-or-later
// The values that the placeholder entries of a drop-down ("<url>", "<color>", "<font>",
// "<length>", "<percentage>") compose through their dialogs, for the inspector and the pickers.
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace qm {

class TFrmEdit;
class TOpenDocument;
class TPrompts;

// The image files "<url>" offers.
QString ImageFilter();

bool IsPlaceholder(const QString& entry);

// The value a placeholder entry composes through its dialog, which starts from value (the
// property's current value); none when the dialog was cancelled. "<url>" gives the image's path
// as the sheet at documentPath reaches it. An entry that is no placeholder comes back as it is.
std::optional<QString> ComposeValue(TPrompts& prompts, TFrmEdit& valueDialog, const QString& entry,
                                    const std::string& value, const QString& documentPath);

// "Editing <selector> properties." while the document's caret is in a block; empty otherwise.
QString EditingStatus(const TOpenDocument& document);

}  // namespace qm
