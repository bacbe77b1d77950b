// SPDX-License-Identifier: GPL-3.0-or-later
// Picking a new colour for a colour in a document's text: the colour dialog opened on it, and the
// pick written over it in its own notation through the document's edit scope, one step of Undo.
#pragma once

namespace qm {

class TOpenDocument;
class TPrompts;

// Gives the document's editor its colour swatches, whose Ctrl+click and Alt+Enter ask prompts
// for the new colour.
void AddColorPicking(TOpenDocument& document, TPrompts& prompts);

}  // namespace qm
