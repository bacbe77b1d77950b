// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: the program's name and version and a link to its home page.
#pragma once

#include <QDialog>
#include <QLabel>

class QPushButton;

namespace qm {

class TPrompts;
class TShell;

// A label that behaves as a link: blue under the pointer, black otherwise.
class TLinkLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class TFrmAbout : public QDialog {
  Q_OBJECT

 public:
  // The home-page link opens through shell; prompts reports when it cannot.
  TFrmAbout(TShell& shell, TPrompts& prompts, const QString& homePage, QWidget* parent = nullptr);

  QLabel* LblTitle = nullptr;
  QLabel* LblVersion = nullptr;
  TLinkLabel* Lblsite = nullptr;
  QPushButton* CmdOk = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void LblsiteClick();

  TShell& Shell;
  TPrompts& Prompts;
  QString HomePage;
};

}  // namespace qm
