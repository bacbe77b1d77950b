// SPDX-License-Identifier: GPL-3.0-or-later
// The external browsers: a Tools menu command per configured browser and the two tool-bar
// buttons, each opening the Preview panel's page.
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QUrl>

#include "app/browserpreview.h"
#include "app/cssmain.h"
#include "app/documenttabs.h"
#include "app/previewpanel.h"
#include "model/error.h"
#include "platform/commandguard.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {

namespace {

const QString kMenuItemName = QStringLiteral("PreviewMenuItem");
const QString kInternetExplorer = QStringLiteral("ieLocation");

}  // namespace

void TFrmMain::FillPreviewMenu() {
  for (QAction* action : mTools->actions()) {
    if (action->objectName().startsWith(kMenuItemName)) {
      mTools->removeAction(action);
      delete action;
    }
  }
  // The buttons name the browser they start, or stay as designed when there is none.
  QAction* const buttons[] = {Action("bBrowser1"), Action("bBrowser2")};
  buttons[0]->setToolTip(QStringLiteral("Preview file in Browser1"));
  buttons[1]->setToolTip(QStringLiteral("Preview file in Browser2"));
  const std::vector<TBrowserEntry> browsers = Setting::ReadBrowsers(*Platform.Settings);
  for (int n = 1; n <= static_cast<int>(browsers.size()); ++n) {
    const QString& name = browsers[n - 1].Name;
    auto* command = new QAction(QStringLiteral("Preview with ") + name, this);
    command->setObjectName(kMenuItemName + QString::number(n));
    // The launch path is the command's hint: a program file, or "ieLocation".
    command->setStatusTip(browsers[n - 1].Path);
    connect(command, &QAction::triggered, this, [this, command] {
      RunCommand(*Platform.Prompts, [this, command] { PreviewInBrowser(command); });
    });
    mTools->insertAction(mTools->actions().value(n - 1), command);
    if (n <= 2) {
      buttons[n - 1]->setToolTip(command->text());
    }
  }
}

void TFrmMain::PreviewInBrowser(QAction* command) {
  const QString launch = command->statusTip();
  TOpenDocument* document = Tabs_->CurrentDocument();
  if (document == nullptr) {
    return;
  }
  // The browser shows the live preview, on the page the Preview panel shows unless the document
  // has a page of its own.
  const QString address = Browsers_->Open(document, PreviewPanel->ChosenPage());
  if (launch == kInternetExplorer) {
    // That browser's automation server is gone from current systems: the default browser
    // stands in for it.
    OpenUrlOrFail(*Platform.Shell, address);
    return;
  }
  if (!Platform.Shell->StartProgram(launch, {address})) {
    throw TError(FormatMessage("Cannot start the browser \"%s\".",
                               {Utf8(QDir::toNativeSeparators(launch))}));
  }
}

void TFrmMain::mPreviewLiveClick() {
  if (TOpenDocument* document = Tabs_->CurrentDocument()) {
    OpenUrlOrFail(*Platform.Shell, Browsers_->Open(document, PreviewPanel->ChosenPage()));
  }
}

void TFrmMain::mPreviewLivePageClick() {
  TOpenDocument* document = Tabs_->CurrentDocument();
  if (document == nullptr) {
    return;
  }
  const QString page = Platform.Prompts->OpenFileName(
      QStringLiteral("Html Files(*.htm, *.html)|*.htm;*.html|All Files (*.*)|*.*"));
  if (page.isEmpty()) {
    return;
  }
  Browsers_->ChoosePage(document, page);
  OpenUrlOrFail(*Platform.Shell, Browsers_->Open(document));
}

void TFrmMain::bBrowser1Click() {
  PreviewInConfiguredBrowser(1, QStringLiteral("You did not configure a primary browser."));
}

void TFrmMain::bBrowser2Click() {
  PreviewInConfiguredBrowser(2, QStringLiteral("You did not configure a secondary browser."));
}

void TFrmMain::PreviewInConfiguredBrowser(int n, const QString& missing) {
  // The Tools menu starts with the configured browsers' commands, in their order.
  QAction* command = mTools->actions().value(n - 1);
  if (command != nullptr && command->objectName() == kMenuItemName + QString::number(n)) {
    PreviewInBrowser(command);
  } else {
    Platform.Prompts->Message(TMessageKind::Warning, missing, {TButton::Ok});
  }
}

}  // namespace qm
