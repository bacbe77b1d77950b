// SPDX-License-Identifier: GPL-3.0-or-later
// Format Document and Minify: the whole sheet laid out again as one step of Undo, and the offer
// to format a sheet whose lines are too long to show and edit quickly.
#include "app/editmenu.h"
#include "app/opendocument.h"
#include "model/sheet/sheetlayout.h"
#include "platform/prompts.h"

namespace qm {

namespace {

// Qt lays out a line as a whole: a line much longer than this makes every keystroke slow.
constexpr size_t kLongLine = 20'000;

}  // namespace

void TEditMenu::LayOut(std::string (*layout)(std::string_view)) {
  TOpenDocument* document = Document();
  if (document == nullptr) {
    return;
  }
  const std::string_view text = document->Editor()->Text();
  std::string laid = layout(text);
  if (laid == text) {
    return;
  }
  TOpenDocument::TEditScope scope(*document);
  scope.Apply(TEditBatch({0, static_cast<int32_t>(text.size()), std::move(laid), 0}));
}

void TEditMenu::OfferToFormat() {
  TOpenDocument* document = Document();
  if (document == nullptr || LongestLine(document->Editor()->Text()) <= kLongLine) {
    return;
  }
  if (Prompts.Message(TMessageKind::Confirmation,
                      QStringLiteral("This file has lines longer than %1 characters, which make "
                                     "editing slow. Do you want to format it, one declaration "
                                     "per line? (Undo restores it as it is.)")
                          .arg(kLongLine),
                      {TButton::Yes, TButton::No}) == TButton::Yes) {
    LayOut(&FormatSheet);
  }
}

}  // namespace qm
