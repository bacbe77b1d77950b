// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu: its commands on the active document (undo, the clipboard, Indent, Comment, Find
// and Replace with their dialogs, Format Document, the line marks) and the editor's pop-up menu.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <string_view>

#include "controls/editorsearch.h"

class QAction;
class QKeyEvent;
class QMenu;
class QWidget;

namespace qm {

class TCssEditor;
class TFindDialog;
class TOpenDocument;
class TPrompts;

class TEditMenu : public QObject {
  Q_OBJECT

 public:
  // window parents the menus and the dialogs; activeDocument answers the document of the active
  // tab, or none while no document is open.
  TEditMenu(QWidget* window, TPrompts& prompts, std::function<TOpenDocument*()> activeDocument);

  // The menu bar's Edit menu.
  QMenu* Menu() const { return mEdit; }
  // One of its commands by name (mUndo, acFind, bNextBookmark, ...); none for another name.
  QAction* Action(const QString& name) const;
  TFindDialog& FindDialog() const { return *DialogFind; }
  TFindDialog& ReplaceDialog() const { return *DialogReplace; }

  // A new document's keys, gutter clicks and pop-up menu lead to these commands.
  void Attach(TOpenDocument& document);
  // For a document just opened whose lines are too long to edit quickly, the offer to format it.
  void OfferToFormat();

 signals:
  // A search moved the selection; the editor reports none of it (it happens in an edit scope).
  void SelectionFound();

 private:
  TOpenDocument* Document() const { return ActiveDocument(); }
  TCssEditor* Editor() const;

  void mUndoClick();
  void mRedoClick();
  void acCutExecute();
  void acCopyExecute();
  void acPasteExecute();
  void acSelectAllExecute();
  void mIndentClick();
  void mOutdentClick();
  void acCommentExecute();
  void acUncommentExecute();
  // Puts the suggested text of the problem at the caret in place, as one step of Undo.
  void acQuickFixExecute();
  void mNextClick();
  void mPreviousClick();
  // Runs the command of a key the editor would otherwise handle itself; false for other keys.
  bool MainTextKeyDown(QKeyEvent* event);
  void MainTextGutterClick(TCssEditor* editor, int line);
  void bNextMarkClick();
  void bPreviousMarkClick();
  void bClearMarksClick();

  // Find and Replace (editmenu_find.cpp).
  void acFindExecute();
  void mReplaceClick();
  void DialogFindFind();
  void DialogReplaceFind();
  void DialogReplaceReplace(bool all);
  // One Find Next with a dialog's options; noResults is the message when nothing is found.
  void FindNext(const TFindDialog& dialog, const QString& noResults);

  // Format Document and Minify (editmenu_layout.cpp).
  void LayOut(std::string (*layout)(std::string_view));

  TPrompts& Prompts;
  std::function<TOpenDocument*()> ActiveDocument;
  QMenu* mEdit = nullptr;
  QMenu* MainTextPopUp = nullptr;
  TFindDialog* DialogFind = nullptr;
  TFindDialog* DialogReplace = nullptr;
  TEditorSearch SynSearch;
};

}  // namespace qm
