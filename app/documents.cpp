// SPDX-License-Identifier: GPL-3.0-or-later
// Documents: new, open, save, save as, close, and keeping the window in step with the active tab.
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

#include "app/cssmain.h"
#include "app/documenttab.h"
#include "app/flagscope.h"
#include "controls/recentfiles.h"
#include "dialogs/cssoptions.h"
#include "model/documentnames.h"
#include "model/error.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/settings.h"

namespace qm {

namespace {

const QString kAppTitle = QStringLiteral("Quillmere");

}  // namespace

TDocumentTab* TFrmMain::DocumentTab(int index) const {
  return static_cast<TDocumentTab*>(pgmain->widget(index));
}

TDocumentTab* TFrmMain::ActiveTab() const {
  return pgmain->currentIndex() < 0 ? nullptr : DocumentTab(pgmain->currentIndex());
}

QString TFrmMain::CurrentPath() const {
  const TDocumentTab* tab = ActiveTab();
  return tab == nullptr ? QString() : tab->Path;
}

void TFrmMain::ActivateTab(int index) {
  const QSignalBlocker blocker(pgmain);
  pgmain->setCurrentIndex(index);
}

void TFrmMain::NewDocument() {
  auto* tab = new TDocumentTab(pgmain);
  const QString caption = QString::fromStdString(UntitledCaption(UntitledCounter++));
  int index = 0;
  {
    const QSignalBlocker blocker(pgmain);
    index = pgmain->addTab(tab, QIcon(QStringLiteral(":/icons/close.svg")), caption);
    pgmain->setCurrentIndex(index);
  }
  pgmain->show();

  TCssEditor* editor = tab->Editor;
  ApplyEditorSettings(editor);
  connect(FrmOptions, &TFrmOptions::Applied, editor,
          [this, editor] { ApplyEditorSettings(editor); });

  connect(editor, &TCssEditor::StatusChange, this,
          [this, editor](TStatusChanges changes) { MainTextStatusChange(editor, changes); });
  editor->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(editor, &QWidget::customContextMenuRequested, this,
          [this, editor](const QPoint& pos) { MainTextPopUp->popup(editor->mapToGlobal(pos)); });

  CurrentEditor = editor;
  pgmainChange();
}

void TFrmMain::OpenOperation(const QString& path) {
  if (path.isEmpty()) {
    return;
  }
  OpenFilter =
      QStringLiteral("All Files (*.*)|*.*|Text Files (*.txt)|*.txt|CSS Files (*.css)|*.css");
  const QString name = QFileInfo(path).fileName();
  for (int i = 0; i < pgmain->count(); ++i) {
    if (pgmain->tabText(i) == name) {
      ActivateTab(i);
      pgmainChange();
      return;
    }
  }

  {
    TFlagScope updating(UpdatingText);
    NewDocument();
    const QByteArray bytes = ReadFileBytes(path);
    TLoadedText loaded = LoadText(std::string_view(bytes.constData(), bytes.size()));
    TDocumentTab* tab = ActiveTab();
    tab->Editor->LoadBytes(loaded.Text);
    tab->Format = std::move(loaded.Format);
    tab->Path = path;
  }
  pgmain->setTabText(pgmain->currentIndex(), name);
  SetTitle(name + QStringLiteral(" - ") + kAppTitle);
  RefreshItm();
  RefreshTree();
  rmain->AddRecentFile(path);
  rmain->RebuildRecentMenu();
}

void TFrmMain::ApplyEditorSettings(TCssEditor* editor) {
  // Read afresh each time, so what the Options dialog applied counts from now on.
  const TSettingsStore& settings = *Platform.Settings;
  editor->ApplyFont(Setting::FontName.Read(settings), Setting::FontSize.Read(settings));
  editor->ApplyTabWidth(Setting::TabWidth.Read(settings));
  editor->ApplySyntaxStyles(SynCss);
}

void TFrmMain::pgmainChange() {
  QString title = kAppTitle;
  TDocumentTab* tab = ActiveTab();
  if (tab == nullptr) {
    CurrentEditor = nullptr;
    pgmain->hide();
  } else {
    if (pgmain->isHidden()) {
      pgmain->show();
    }
    CurrentEditor = tab->Editor;
    CurrentEditor->setFocus();
    RefreshItm();
    RefreshTree();
    title = pgmain->tabText(pgmain->currentIndex()) + QStringLiteral(" - ") + kAppTitle;
  }
  SetTitle(title);
}

void TFrmMain::acNewExecute() {
  NewDocument();
}

void TFrmMain::acOpenExecute() {
  const QString path = Platform.Prompts->OpenFileName(OpenFilter);
  if (!path.isEmpty()) {
    OpenOperation(path);
  }
}

void TFrmMain::acSaveExecute() {
  if (CurrentEditor != nullptr) {
    SaveDocument(ActiveTab());
  }
}

void TFrmMain::acSaveAsExecute() {
  if (CurrentEditor != nullptr) {
    SaveDocumentAs(ActiveTab());
  }
}

void TFrmMain::SaveDocument(TDocumentTab* tab) {
  if (tab->Path.isEmpty()) {
    SaveDocumentAs(tab);
    return;
  }
  WriteDocument(tab, tab->Path);
}

void TFrmMain::SaveDocumentAs(TDocumentTab* tab) {
  const auto answer = Platform.Prompts->SaveFileName(
      QStringLiteral("Cascading Style Sheet (*.css)|*.css|Text File (*.txt)|*.txt"),
      QStringLiteral("Untitled CSS File"));
  if (!answer) {
    return;
  }
  const QString path =
      QString::fromStdString(SaveAsFileName(Utf8(answer->FileName), answer->FilterIndex));
  WriteDocument(tab, path);
  const QString caption = QFileInfo(answer->FileName).fileName();
  pgmain->setTabText(pgmain->indexOf(tab), caption);
  tab->Path = path;
  if (tab == ActiveTab()) {
    SetTitle(caption + QStringLiteral(" - ") + kAppTitle);
  }
}

void TFrmMain::WriteDocument(TDocumentTab* tab, const QString& path) {
  WriteFileBytes(path, SaveText(tab->Editor->Text(), tab->Format));
  tab->Editor->SetModified(false);
}

void TFrmMain::mSaveAllClick() {
  for (int i = pgmain->count() - 1; i >= 0; --i) {
    ActivateTab(i);
    pgmainChange();
    acSaveExecute();
  }
}

void TFrmMain::mCloseClick() {
  if (pgmain->currentIndex() >= 0) {
    CloseDocument(pgmain->currentIndex());
  }
}

void TFrmMain::mCloseAllClick() {
  for (int i = pgmain->count() - 1; i >= 0; --i) {
    CloseDocument(i);
  }
}

bool TFrmMain::CloseDocument(int index) {
  TDocumentTab* tab = DocumentTab(index);
  if (tab == nullptr) {
    return true;
  }
  bool saved = false;
  if (tab->Editor->Modified()) {
    const TButton answer =
        Platform.Prompts->Message(TMessageKind::Confirmation,
                                  QStringLiteral("Save the changes to this document: ") +
                                      pgmain->tabText(index) + QStringLiteral(" ?"),
                                  {TButton::Yes, TButton::No, TButton::Cancel});
    if (answer == TButton::Cancel) {
      return false;
    }
    if (answer == TButton::Yes) {
      SaveDocument(tab);
      if (tab->Editor->Modified()) {
        return true;
      }
      saved = true;
    }
  }
  if (!saved && pgmain->count() > 1) {
    const int active = pgmain->currentIndex();
    ActivateTab(active > 0 ? active - 1 : pgmain->count() - 1);
    pgmainChange();
  }

  const int closing = pgmain->indexOf(tab);
  const bool wasActive = closing == pgmain->currentIndex();
  {
    const QSignalBlocker blocker(pgmain);
    QWidget* keep = wasActive ? nullptr : pgmain->currentWidget();
    pgmain->removeTab(closing);
    if (pgmain->count() > 0) {
      // The tab that followed the closed one; after the last, the first.
      pgmain->setCurrentIndex(keep != nullptr             ? pgmain->indexOf(keep)
                              : closing < pgmain->count() ? closing
                                                          : 0);
    }
  }
  if (CurrentEditor == tab->Editor) {
    CurrentEditor = nullptr;
  }
  tab->deleteLater();
  pgmainChange();
  RefreshTree();
  return true;
}

void TFrmMain::pgmainMouseUp(const QPoint& pos) {
  QTabBar* bar = pgmain->tabBar();
  const int index = bar->tabAt(pos);
  // The close glyph is the image at the tab's left edge.
  if (index >= 0 && pos.x() - bar->tabRect(index).left() < 20) {
    CloseDocument(index);
  }
}

}  // namespace qm
