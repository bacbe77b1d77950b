// SPDX-License-Identifier: GPL-3.0-or-later
// The Preview panel: the page built from the open document's sheet or a page the user chose,
// the preview-file list, and the embedded browser made the first time a page is shown.
#pragma once

#include <QString>
#include <QWidget>

#include "platform/platform.h"

class QAction;
class QComboBox;
class QToolBar;
class QWebEngineView;

namespace qm {

class TLivePreview;
class TOpenDocument;

class TPreviewPanel : public QWidget {
  Q_OBJECT

 public:
  // The stored preview files are listed at once, the fixed entry chosen.
  explicit TPreviewPanel(const TPlatform& platform, QWidget* parent = nullptr);

  // The document whose sheet the page carries; none while no document is open. A shown page built
  // from the sheet of the document before is built again for this one.
  void SetDocument(TOpenDocument* document);
  // Writes "temppreview.htm" from the chosen entry of the list and the document's sheet, and with
  // Show shows it here; returns its path, empty when nothing was built.
  QString MakePreview(bool Show);
  // The page built from the sheet, shown while the panel shows nothing yet: a page the user chose
  // or a validation answer stays. Nothing, and no message, without a document or the template.
  void ShowFirstPage();
  // Shows a local file in the panel, making its browser the first time. Only a page of the
  // user's own runs its scripts; a page the program made from text it did not write (the
  // sheet) runs none and may not reach across to remote addresses, and a page received from
  // the network (an answer page) may not read local files either.
  enum class TPageTrust { Generated, UsersOwn, Received };
  void ShowInPreview(const QString& path, TPageTrust trust = TPageTrust::Generated);

  // The page of the user's chosen in the list; empty while the page is built from the sheet.
  QString ChosenPage() const;

  QToolBar* ToolBar() const { return TbPreview; }
  // The panel's commands by name: TbRefresh, TbLive, TbOpen, TbOpenBrowser.
  QAction* Action(const QString& name) const;
  QComboBox* FileList() const { return CboFile; }
  // None until the first page is shown: starting the browser engine is slow.
  QWebEngineView* Browser() const { return WebPrev; }
  // Shows every change of the sheet in the page built from it while the Live button is down.
  TLivePreview& Live() const { return *Live_; }

 private:
  void LoadPreviewFiles();
  // "temppreview.htm", and the page it is built from: the template or the chosen page.
  QString PreviewTarget() const;
  QString PreviewSource() const;
  void ChooseAndPreviewPage();
  void OpenInDefaultBrowser();

  TPlatform Platform;
  TOpenDocument* Document = nullptr;
  // The panel shows "temppreview.htm", which carries the document's sheet.
  bool ShowsBuiltPage = false;
  bool RebuildQueued = false;

  QToolBar* TbPreview = nullptr;
  QAction* TbRefresh = nullptr;
  QAction* TbLive = nullptr;
  QComboBox* CboFile = nullptr;
  QAction* TbOpen = nullptr;
  QAction* TbOpenBrowser = nullptr;
  QWebEngineView* WebPrev = nullptr;
  TLivePreview* Live_ = nullptr;
};

}  // namespace qm
