// SPDX-License-Identifier: GPL-3.0-or-later
// Format Document and Minify: the whole sheet laid out again as one step of Undo, and the offer
// to format a sheet whose lines are too long to show and edit quickly.
#include <QAction>
#include <QMenu>

#include "app/cssmain.h"
#include "app/opendocument.h"
#include "model/sheetlayout.h"
#include "platform/commandguard.h"
#include "platform/prompts.h"

namespace qm {

namespace {

// Qt lays out a line as a whole: a line much longer than this makes every keystroke slow.
constexpr size_t kLongLine = 20'000;

}  // namespace

void TFrmMain::CreateLayoutCommands() {
  auto* format = new QAction(QStringLiteral("Format Document"), this);
  format->setObjectName(QStringLiteral("acFormat"));
  format->setToolTip(QStringLiteral("One declaration per line, indented by nesting"));
  format->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  auto* minify = new QAction(QStringLiteral("Minify"), this);
  minify->setObjectName(QStringLiteral("acMinify"));
  minify->setToolTip(QStringLiteral("Everything on one line, without blanks between rules"));
  connect(format, &QAction::triggered, this,
          [this] { RunCommand(*Platform.Prompts, [this] { LayOut(&FormatSheet); }); });
  connect(minify, &QAction::triggered, this,
          [this] { RunCommand(*Platform.Prompts, [this] { LayOut(&MinifySheet); }); });
  mEdit->addSeparator();
  mEdit->addActions({format, minify});
}

void TFrmMain::LayOut(std::string (*layout)(std::string_view)) {
  TOpenDocument* document = CurrentDocument();
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

void TFrmMain::OfferToFormat() {
  TOpenDocument* document = CurrentDocument();
  if (document == nullptr || LongestLine(document->Editor()->Text()) <= kLongLine) {
    return;
  }
  if (Platform.Prompts->Message(
          TMessageKind::Confirmation,
          QStringLiteral("This file has lines longer than %1 characters, which make editing "
                         "slow. Do you want to format it, one declaration per line? (Undo "
                         "restores it as it is.)")
              .arg(kLongLine),
          {TButton::Yes, TButton::No}) == TButton::Yes) {
    LayOut(&FormatSheet);
  }
}

}  // namespace qm
