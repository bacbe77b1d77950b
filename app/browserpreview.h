// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview in the user's own browsers: each document that has one gets a server of its
// own, at its own address, serving the page built from the sheet or a page of the user's, and
// every change of the sheet goes to each browser showing it.
#pragma once

#include <QObject>
#include <QString>

#include "platform/platform.h"

namespace qm {

class TLiveServer;
class TOpenDocument;

class TBrowserPreview : public QObject {
  Q_OBJECT

 public:
  explicit TBrowserPreview(const TPlatform& platform, QObject* parent = nullptr);

  // The address of document's live preview, started now unless it runs: on the page chosen for
  // the document, else on fallbackPage when given, else on the page built from the sheet. A
  // preview running on another page starts again at a new address. Throws TError when the
  // server cannot start.
  QString Open(TOpenDocument* document, const QString& fallbackPage = {});
  // The page of the user's shown with document's sheet from now on; stored for a saved sheet.
  void ChoosePage(TOpenDocument* document, const QString& page);
  // The page chosen for document, empty when none is.
  QString ChosenPage(const TOpenDocument* document) const;

  // The server of document's live preview; none before it is opened or after the tab is closed.
  static TLiveServer* Server(const TOpenDocument* document);

 private:
  TPlatform Platform;
};

}  // namespace qm
