// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu and Options: pages, the feedback mail, the About box, and what the Options
// dialog applied, taken up by the window.
#include "app/cssmain.h"
#include "app/declarationsync.h"
#include "dialogs/cssAbout.h"
#include "dialogs/cssoptions.h"
#include "platform/prompts.h"
#include "platform/shell.h"

namespace qm {

void TFrmMain::mHomePageClick() {
  OpenUrlOrFail(*Platform.Shell, Sites.HomePage);
}

void TFrmMain::mCSS1pageClick() {
  OpenUrlOrFail(*Platform.Shell, Sites.W3CSite + QStringLiteral("/pub/WWW/TR/REC-CSS1"));
}

void TFrmMain::mCSS2pageClick() {
  OpenUrlOrFail(*Platform.Shell, Sites.W3CSite + QStringLiteral("/TR/REC-CSS2/"));
}

void TFrmMain::mReportClick() {
  Platform.Prompts->Message(TMessageKind::Information,
                            QStringLiteral("Please mention in details when reporting errors or "
                                           "suggestions."),
                            {TButton::Ok});
  OpenUrlOrFail(*Platform.Shell, QStringLiteral("mailto:") + Sites.FeedbackMail +
                                     QStringLiteral("?Subject=Quillmere%20Feedback"));
}

void TFrmMain::mAboutClick() {
  FrmAbout->exec();
}

void TFrmMain::mOptionsClick() {
  FrmOptions->exec();
}

void TFrmMain::OptionsApplied(const TEditorOptions& options) {
  // Each open editor takes up the new settings through its own connection; new ones from here.
  SynCss = options.Styles;
  DeclarationIndent_ = options.TabWidth;
  Sync->SetIndent(DeclarationIndent_);
  FillPreviewMenu();
}

}  // namespace qm
