// SPDX-License-Identifier: GPL-3.0-or-later
// One document: a tab of the main window's page control holding its editor, the file behind it
// and the line-break format the file had when it was read.
#pragma once

#include <QString>
#include <QVBoxLayout>
#include <QWidget>

#include "controls/csseditor.h"
#include "model/textfile.h"

namespace qm {

class TDocumentTab : public QWidget {
 public:
  explicit TDocumentTab(QWidget* parent = nullptr) : QWidget(parent), Editor(new TCssEditor(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Editor);
  }

  TCssEditor* const Editor;
  // The file this tab saves to; empty while the document is untitled. Each tab keeps its own,
  // so tabs with equal captions never write over each other's files.
  QString Path;
  TTextFormat Format;
};

}  // namespace qm
