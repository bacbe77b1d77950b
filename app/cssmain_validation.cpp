// SPDX-License-Identifier: GPL-3.0-or-later
// Validate Using W3C: the active sheet is posted to the W3C CSS Validation Service while a box
// offers Cancel, and the service's answer page is shown in the Preview panel.
#include <QDir>
#include <QLabel>
#include <QObject>
#include <QScopeGuard>
#include <QUrl>

#include "app/cssmain.h"
#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "app/previewpanel.h"
#include "app/propertiespanel.h"
#include "model/error.h"
#include "model/program/validationform.h"
#include "platform/fileio.h"
#include "platform/httpformpost.h"
#include "platform/prompts.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"

namespace qm {

namespace {

const QString kConnecting = QStringLiteral("Connecting to W3C website...");
const QString kSheetFile = QStringLiteral("tempw3c.css");
const QString kAnswerFile = QStringLiteral("tempw3c.htm");

// The validator's address from the settings, refused before anything is written or sent when it
// is no web address.
QUrl ValidatorAddress(const QString& text) {
  const QUrl url(text, QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || url.host().isEmpty() ||
      (scheme != QStringLiteral("http") && scheme != QStringLiteral("https"))) {
    throw TError(FormatMessage("The validator address \"%s\" is not a web address.", {Utf8(text)}));
  }
  return url;
}

TFormPost ValidationPost(const QUrl& url, std::string sheet, int cssLevel) {
  TFormPost post{url, {}, {{"Accept", "text/html, */*"}}};
  // The file's name without its folder, as browsers send an upload: the service shows it in
  // its answer, and the folder would tell it the user's account name.
  for (TValidationPart& part : ValidationForm(std::move(sheet), Utf8(kSheetFile), cssLevel)) {
    post.Parts.push_back(
        {QByteArray::fromStdString(part.Name), QByteArray::fromStdString(part.Content),
         QString::fromStdString(part.FileName), QByteArray::fromStdString(part.ContentType)});
  }
  return post;
}

}  // namespace

void TFrmMain::acValidateExecute() {
  TOpenDocument* document = Tabs_->CurrentDocument();
  if (document == nullptr) {
    return;
  }
  StatusPanel->setText(kConnecting);
  StatusPanel->repaint();
  // Unless the answer arrives, the status goes back to the caret's place: a failure is told in
  // its box, and a cancel is the user's own doing.
  bool answered = false;
  const auto status = qScopeGuard([this, &answered] {
    if (!answered) {
      ShowCaretStatus();
    }
  });
  const QUrl url = ValidatorAddress(Sites.ValidatorUrl);
  const QDir work(Platform.WorkFolder);
  // The text as it is now, unsaved changes included, in the file's own format; the document and
  // its file stay as they are.
  std::string sheet = document->FileBytes();
  WriteFileBytes(work.filePath(kSheetFile), sheet);

  THttpFormPoster& poster = *Platform.FormPoster;
  poster.SetTimeout(std::chrono::seconds(Setting::ValidatorTimeout.Read(*Platform.Settings)));
  THttpAnswer answer;
  // The connection ends with the command: the poster outlives it and posts for the next one.
  QObject receiver;
  const bool finished = Platform.Prompts->Progress(kConnecting, [&](std::function<void()> done) {
    connect(&poster, &THttpFormPoster::Finished, &receiver,
            [&answer, done](const THttpAnswer& received) {
              answer = received;
              done();
            });
    poster.Post(ValidationPost(url, std::move(sheet), PropertiesPanel->CssLevel()));
  });
  if (!finished) {
    poster.Cancel();
    return;
  }
  if (!answer.Ok()) {
    // The bare reason ("Connection refused") would not say who refused.
    throw TError(FormatMessage("The W3C CSS Validation Service at %s did not give an answer: %s",
                               {Utf8(url.toDisplayString()), Utf8(answer.Error)}));
  }

  const QString answerFile = work.filePath(kAnswerFile);
  WriteFileBytes(answerFile, std::string_view(answer.Body.constData(), answer.Body.size()));
  answered = true;
  StatusPanel->setText(QStringLiteral("Connected successfully"));
  // Shown even while the panel is hidden: the answer is there when the user opens it.
  PreviewPanel->ShowInPreview(answerFile, TPreviewPanel::TPageTrust::Received);
}

}  // namespace qm
