// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview: while the Preview panel shows a page it built from a document's sheet, each
// change of that sheet goes into the shown page's style text a moment later, without a reload.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>

class QWebEngineView;

namespace qm {

class TOpenDocument;

// A page the panel built from a document's sheet and shows.
struct TLivePage {
  QString File;              // the page file the browser loads
  int32_t StylesBefore = 0;  // the page's style elements in front of the sheet's own
  QString SheetFile;         // the document's file: the page's links to it take the text too
};

class TLivePreview : public QObject {
  Q_OBJECT

 public:
  explicit TLivePreview(QObject* parent = nullptr);

  bool Enabled() const { return Enabled_; }
  // Off, the shown page stays as it is until it is built again.
  void SetEnabled(bool enabled);
  // The view shows, or is loading, page built from document's text as it is now.
  void Follow(QWebEngineView* view, TOpenDocument* document, const TLivePage& page);
  // The view shows something else from now on.
  void Stop();
  // Whether the shown page holds the sheet's text as it is now.
  bool Current() const;

 signals:
  // The shown page took the text of one change (styled and laid out anew).
  void Updated();

 protected:
  // A hidden preview takes the text when it is shown again.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PageLoaded(bool ok);
  // Finds the sheet's style element in the loaded page and puts the page's links to the sheet's
  // file in its place.
  void Attach();
  void Schedule();
  // Sends the text to the page unless it holds it already.
  void Push();

  bool Enabled_ = true;
  QPointer<QWebEngineView> View;
  QPointer<TOpenDocument> Document;
  TLivePage Page;
  // The first visible characters of the sheet the page was built with, to know its element by.
  QString Print;
  bool Ready = false;
  bool InFlight = false;
  bool Queued = false;
  uint64_t Sent = 0;  // the text version the page holds
  // Answers for an earlier page, or from before the live preview was turned off, are stale.
  uint64_t Generation = 0;
};

}  // namespace qm
