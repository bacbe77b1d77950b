// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu's feedback mail, and what the Options dialog applied, taken up by the window.
#include "app/cssmain.h"
#include "app/declarationsync.h"
#include "dialogs/cssoptions.h"
#include "platform/prompts.h"
#include "platform/shell.h"

namespace qm {

void TFrmMain::mReportClick() {
  Platform.Prompts->Message(TMessageKind::Information,
                            QStringLiteral("Please mention in details when reporting errors or "
                                           "suggestions."),
                            {TButton::Ok});
  OpenUrlOrFail(*Platform.Shell, QStringLiteral("mailto:") + Sites.FeedbackMail +
                                     QStringLiteral("?Subject=Quillmere%20Feedback"));
}

void TFrmMain::OptionsApplied(const TEditorOptions& options) {
  // Each open editor takes up the new settings through its own connection; new ones from here.
  SynCss = options.Styles;
  DeclarationIndent_ = options.TabWidth;
  Sync->SetIndent(DeclarationIndent_);
  FillPreviewMenu();
}

}  // namespace qm
