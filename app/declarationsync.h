// SPDX-License-Identifier: GPL-3.0-or-later
// The one owner of what the Properties panel, the Visual Editor and Quick Info show: the loaded
// catalogue, the rule at the active document's caret with its values, and every write into it.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <map>
#include <optional>
#include <string>

#include "model/catalogue/catalogue.h"
#include "model/catalogue/inifile.h"
#include "model/values/valuechecker.h"

namespace qm {

class TOpenDocument;
class TPrompts;

class TDeclarationSync : public QObject {
  Q_OBJECT

 public:
  // dataFolder holds the catalogues, "css1.txt" and "css2.txt".
  TDeclarationSync(TPrompts& prompts, QString dataFolder, QObject* parent = nullptr);

  // 0 for CSS1, 1 for CSS2. Choosing a level loads its catalogue; a catalogue that cannot be
  // read leaves no properties and throws TError with the reading's message.
  int CssLevel() const { return Level; }
  void SetCssLevel(int level);
  const TIniFile& CatalogueFile() const { return CatalogueIni; }
  const TInspectorCollection& Catalogue() const { return Properties; }
  bool HasProperty(const QString& name) const;
  // The value syntaxes of current CSS that the check as you type judges values by, read from
  // the data folder when first asked for (none judged when they are missing).
  const TValueChecker& ValueChecker() const;
  // Whether the value checker warns about old-browser hacks.
  void SetHackWarnings(bool on);

  // The document whose caret and text the views follow; none while no document is open.
  void SetDocument(TOpenDocument* document);
  TOpenDocument* Document() const { return Doc; }

  // Whether the caret is in a rule whose declarations the views may show and change, and the
  // selection, if any, holds no part of another rule.
  bool HasRule() const { return Rule >= 0; }
  // The rule's own selector, as the user wrote it.
  QString RuleName() const;
  // The value the rule gives name (UTF-8); empty when it has none or there is no rule.
  std::string Value(const std::string& name) const;
  // Where the rule's declaration of name that applies starts; -1 when it has none.
  int32_t Place(const std::string& name) const;
  // The value that applies to name in the rule: its own declaration, or the component of a
  // shorthand declared after it (margin: 5px gives margin-top 5px).
  std::string AppliedValue(const std::string& name) const;

  // Reads the rule at the caret again and tells the views, whether or not it changed.
  void Read();
  // Follows a move of the caret or the selection that the program made for the user (a match
  // found, a rule chosen in the tree) as one the user made.
  void FollowCaret() { CaretMoved(); }

  // Writes "name: value;" into the rule the views show, or removes the declaration for an empty
  // value. Refused, with a message in the status bar and nothing changed, without a rule, for a
  // name the catalogue lacks and for a value that would end the declaration or the rule; false
  // then, so the view keeps the text it has. Consecutive writes with the same non-null source
  // into the same declaration make one step of Undo. The caret stays inside the rule.
  bool Write(const QString& name, const QString& value, const void* source = nullptr);
  // The next write starts a step of Undo of its own.
  void EndMerge() { MergeSource = nullptr; }

  // Blanks in front of a declaration added to a rule that has none to copy the indent from.
  void SetIndent(int indent) { Indent = indent; }

  // The message the views show while the caret is in no rule.
  static QString NoRuleMessage();
  // Why the views are read-only now: the caret is in no rule, or the selection spans rules.
  QString ReadOnlyMessage() const;

 signals:
  // Before the views are told another rule: an open editor commits its text to the rule it
  // belongs to, or closes.
  void LeavingRule();
  // The rule at the caret (or none) and its values, as the text now is.
  void ValuesChanged();
  void CatalogueChanged();
  // A write was accepted (whether or not it changed the text).
  void Written(const QString& name, const QString& value);
  void StatusMessage(const QString& text);

 private:
  // Follows a move of the caret: a move into another rule first lets the views commit what an
  // open editor holds to the rule they show, then reads the new one. A move within the rule
  // reads nothing.
  void CaretMoved();
  // The rule the caret is in, in the document's current block list; -1 for none and
  // kSelectionSpansRules while the selection holds parts of another rule too.
  int32_t RuleAtCaret() const;
  void ReadValues();
  // When the text has changed since the rule was found, finds it again at the caret.
  void EnsureCurrentRule();
  // Puts the caret back inside the rule at ruleStart when the write of name left it outside.
  void KeepCaretInRule(int32_t ruleStart, const std::string& name);

  TPrompts& Prompts;
  const QString DataFolder;
  int Level = 0;
  int Indent = 8;
  TIniFile CatalogueIni;
  TInspectorCollection Properties;
  mutable std::optional<TValueChecker> Checker;
  bool HackWarnings = true;

  TOpenDocument* Doc = nullptr;
  // The rule the views show, as an index into the block list of text version RuleVersion; below
  // 0 for none (see RuleAtCaret).
  int32_t Rule = -1;
  uint64_t RuleVersion = 0;
  // The text version at the caret's last move: a move that comes with a change is typing.
  uint64_t SeenVersion = 0;
  std::map<std::string, std::string> Values;
  std::map<std::string, int32_t> Places;
  // The catalogue's rows once more, for reading what shorthands give their parts, and the
  // values they give, where they apply.
  TInspectorCollection PartRows;
  std::map<std::string, std::string> PartValues;
  // Set while a write of the views' own is under way; it reads when it is done.
  bool Writing = false;
  // Reads again once the user pauses typing.
  QTimer TypingPause;

  // The last write that a following one from the same source may join in one step of Undo.
  const void* MergeSource = nullptr;
  std::string MergeName;
  int32_t MergeRuleStart = -1;
  uint64_t MergeVersion = 0;
};

}  // namespace qm
