// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/declarationsync.h"

#include <QDir>
#include <algorithm>
#include <utility>

#include "app/opendocument.h"
#include "model/asciicase.h"
#include "model/catalogue/gridrows.h"
#include "model/sheet/declarations.h"
#include "model/text/textencoding.h"
#include "platform/commandguard.h"
#include "platform/fileio.h"

namespace qm {

namespace {

// How long typing must pause before the views read the rule again.
constexpr int kTypingPauseMs = 300;

// The block whose "{" stands at start; -1 when none does.
int32_t BlockStartingAt(const TModList& blocks, int32_t start) {
  for (int32_t i = 0; i < blocks.Count(); ++i) {
    if (blocks.Items(i).StartPos == start) {
      return i;
    }
  }
  return -1;
}

}  // namespace

TDeclarationSync::TDeclarationSync(TPrompts& prompts, QString dataFolder, QObject* parent)
    : QObject(parent), Prompts(prompts), DataFolder(std::move(dataFolder)) {
  TypingPause.setSingleShot(true);
  TypingPause.setInterval(kTypingPauseMs);
  connect(&TypingPause, &QTimer::timeout, this, [this] {
    // Typing ends no open editor's work: none is open while the text has the focus.
    Read();
  });
}

void TDeclarationSync::SetCssLevel(int level) {
  Level = level;
  // Emptied first: a catalogue that cannot be read leaves no properties of the level before.
  CatalogueIni = TIniFile();
  Properties.Clear();
  PartRows.Clear();
  struct TTell {
    TDeclarationSync& Sync;
    ~TTell() {
      emit Sync.CatalogueChanged();
      Sync.Read();
    }
  } tell{*this};
  const QString name = QStringLiteral("css%1.txt").arg(std::clamp(level, 0, 2) + 1);
  const QByteArray bytes = ReadFileBytes(QDir(DataFolder).filePath(name));
  CatalogueIni = TIniFile::FromText(std::string_view(bytes.constData(), bytes.size()));
  Properties.LoadCatalogue(CatalogueIni);
  PartRows.LoadCatalogue(CatalogueIni);
}

bool TDeclarationSync::HasProperty(const QString& name) const {
  return !name.isEmpty() && Properties.IndexOfTag(name.toStdString()) >= 0;
}

const TValueChecker& TDeclarationSync::ValueChecker() const {
  if (!Checker) {
    const QDir data(DataFolder);
    Checker =
        TValueChecker::FromFiles(data.filePath(QStringLiteral("css3.txt")).toStdString(),
                                 data.filePath(QStringLiteral("css3syntax.txt")).toStdString());
    Checker->SetHackWarnings(HackWarnings);
  }
  return *Checker;
}

void TDeclarationSync::SetHackWarnings(bool on) {
  HackWarnings = on;
  if (Checker) {
    Checker->SetHackWarnings(on);
  }
}

void TDeclarationSync::SetDocument(TOpenDocument* document) {
  if (Doc != nullptr) {
    disconnect(Doc, nullptr, this, nullptr);
  }
  Doc = document;
  TypingPause.stop();
  MergeSource = nullptr;
  if (Doc != nullptr) {
    connect(Doc, &TOpenDocument::TextChanged, this, [this](TChangeOrigin origin) {
      if (origin == TChangeOrigin::Program) {
        return;
      }
      MergeSource = nullptr;
      if (origin == TChangeOrigin::UndoRedo) {
        // Undo and Redo are no typing: the views follow them at once. What an open editor
        // holds was read from the text before the Undo.
        emit LeavingRule();
        Read();
      } else {
        TypingPause.start();
      }
    });
    // A move of the caret into another rule reads that rule, also when it extends a selection:
    // the views show the rule at the selection's moving end.
    connect(Doc, &TOpenDocument::StatusChange, this, [this](TStatusChanges changes) {
      if (changes & (TStatusChange::Caret | TStatusChange::CaretLine | TStatusChange::Selection)) {
        RunCommand(Prompts, [this] { CaretMoved(); });
      }
    });
    connect(Doc, &QObject::destroyed, this, [this] { Doc = nullptr; });
    // Every change the program makes (a write from any view, a colour swatch, Undo, a command)
    // shows in the views at once.
    connect(Doc, &TOpenDocument::Edited, this, [this] {
      if (!Writing) {
        Read();
      }
    });
  }
  Read();
}

QString TDeclarationSync::RuleName() const {
  if (Doc == nullptr || Rule < 0) {
    return {};
  }
  return QString::fromStdString(ToUtf8(Doc->Blocks().Items(Rule).Name, Doc->Encoding()));
}

std::string TDeclarationSync::Value(const std::string& name) const {
  const auto found = Values.find(name);
  return found == Values.end() ? std::string() : found->second;
}

int32_t TDeclarationSync::Place(const std::string& name) const {
  const auto found = Places.find(name);
  return found == Places.end() ? -1 : found->second;
}

std::string TDeclarationSync::AppliedValue(const std::string& name) const {
  const auto found = PartValues.find(name);
  return found == PartValues.end() || found->second.empty() ? Value(name) : found->second;
}

QString TDeclarationSync::NoRuleMessage() {
  return QStringLiteral("Put the caret inside a rule to see and change its declarations.");
}

QString TDeclarationSync::ReadOnlyMessage() const {
  return Rule == kSelectionSpansRules
             ? QStringLiteral(
                   "The selection spans more than one rule: select within one rule to "
                   "see and change its declarations.")
             : NoRuleMessage();
}

int32_t TDeclarationSync::RuleAtCaret() const {
  const TCssEditor& editor = *Doc->Editor();
  const int32_t caret = editor.Caret();
  const int32_t anchor = caret == editor.SelStart() ? editor.SelEnd() : editor.SelStart();
  return RuleOfSelection(editor, Doc->Blocks(), anchor, caret);
}

void TDeclarationSync::Read() {
  TypingPause.stop();
  Rule = Doc != nullptr ? RuleAtCaret() : -1;
  RuleVersion = Doc != nullptr ? Doc->Editor()->TextVersion() : 0;
  SeenVersion = RuleVersion;
  ReadValues();
  emit ValuesChanged();
}

void TDeclarationSync::ReadValues() {
  Values.clear();
  Places.clear();
  PartValues.clear();
  if (Rule < 0) {
    return;
  }
  // One pass over the rule's own declarations; of two of one name the later one applies.
  const TCssEditor& editor = *Doc->Editor();
  const std::string_view text = editor.Text();
  for (const TDeclarationItem& item : ParseDeclarations(editor, Doc->Blocks(), Rule)) {
    const std::string_view name = text.substr(static_cast<size_t>(item.NameStart),
                                              static_cast<size_t>(item.NameEnd - item.NameStart));
    const std::string_view value =
        text.substr(static_cast<size_t>(item.ValueStart),
                    static_cast<size_t>(item.PriorityEnd - item.ValueStart));
    const std::string key = name.starts_with("--") ? std::string(name) : AsciiLowerCase(name);
    Values[key] = ToUtf8(value, Doc->Encoding());
    Places[key] = item.NameStart;
  }
  // What each shorthand gives its parts, read as the Properties panel's part rows show it.
  ShowRuleValues(
      PartRows, [this](const std::string& name) { return Value(name); },
      [this](const std::string& name) { return Place(name); });
  for (int32_t i = 0; i < PartRows.Count(); ++i) {
    if (const TInspectorItem& part = PartRows.Items(i); part.ChildLevel == 2) {
      if (std::string& applied = PartValues[part.Caption]; applied.empty()) {
        applied = part.Value();
      }
    }
  }
}

void TDeclarationSync::CaretMoved() {
  if (Doc == nullptr) {
    return;
  }
  const uint64_t version = Doc->Editor()->TextVersion();
  if (version != RuleVersion) {
    // Typing moves the caret too, and the pause after it reads; a move after typing reads at
    // once.
    if (TypingPause.isActive() && std::exchange(SeenVersion, version) != version) {
      return;
    }
    emit LeavingRule();
    Read();
    return;
  }
  if (RuleAtCaret() == Rule) {
    return;
  }
  MergeSource = nullptr;
  // The open editor's text belongs to the rule the views show, which is still Rule.
  emit LeavingRule();
  Read();
}

void TDeclarationSync::EnsureCurrentRule() {
  if (Doc != nullptr && Doc->Editor()->TextVersion() != RuleVersion) {
    Read();
  }
}

bool TDeclarationSync::Write(const QString& name, const QString& value, const void* source) {
  if (Doc == nullptr || !HasProperty(name)) {
    return false;
  }
  EnsureCurrentRule();
  if (Rule < 0) {
    emit StatusMessage(ReadOnlyMessage());
    return false;
  }
  // The blanks around a value are no part of it (the text-decoration list ends its own with one).
  const std::string utf8(Trimmed(value.toStdString()));
  if (const std::optional<std::string> refusal = ValueRefusal(utf8)) {
    emit StatusMessage(QString::fromStdString(*refusal));
    return false;
  }
  // Refused before anything changes when the document's encoding cannot hold the value.
  const std::string bytes = FromUtf8(utf8, Doc->Encoding());
  TCssEditor& editor = *Doc->Editor();
  const std::string tag = name.toStdString();
  const int32_t ruleStart = Doc->Blocks().Items(Rule).StartPos;
  const bool caretInRule = RuleAtCaret() == Rule;
  const bool merge = source != nullptr && source == MergeSource && tag == MergeName &&
                     ruleStart == MergeRuleStart && editor.TextVersion() == MergeVersion &&
                     !editor.isRedoAvailable();
  bool changed = false;
  {
    Writing = true;
    struct TDone {
      bool& Flag;
      ~TDone() { Flag = false; }
    } done{Writing};
    TOpenDocument::TEditScope scope(*Doc);
    if (merge) {
      // The step the last keystroke of this field made is taken back, and this one takes its
      // place: the field's whole edit is one step of Undo.
      scope.Undo();
    }
    const uint64_t before = editor.TextVersion();
    const TDeclarationPlace place{
        .Indent = Indent, .Caret = editor.Caret(), .SelectionEnd = editor.SelEnd()};
    const int32_t rule = BlockStartingAt(Doc->Blocks(), ruleStart);
    if (!bytes.empty() &&
        DeclaredLater(editor, Doc->Blocks(), rule, tag, ShorthandsOf(Properties, tag))) {
      // A shorthand written after the part decides its value: the part moves after it, so
      // that what the user set applies.
      scope.Apply(PlanDeclarationWrite(editor, Doc->Blocks(), rule, tag, {}, place));
    }
    const TModList& blocks = Doc->Blocks();
    scope.Apply(PlanDeclarationWrite(
        editor, blocks, BlockStartingAt(blocks, ruleStart), tag, bytes,
        {.Indent = Indent, .Caret = editor.Caret(), .SelectionEnd = editor.SelEnd()}));
    changed = editor.TextVersion() != before;
    if (caretInRule) {
      KeepCaretInRule(ruleStart, tag);
    }
  }
  if (changed) {
    MergeSource = source;
    MergeName = tag;
    MergeRuleStart = ruleStart;
    MergeVersion = editor.TextVersion();
  } else if (merge) {
    // Back at the text before the field's edit: the last step of Undo is no longer this field's.
    MergeSource = nullptr;
  }
  Read();
  emit Written(name, value);
  return true;
}

void TDeclarationSync::KeepCaretInRule(int32_t ruleStart, const std::string& name) {
  TCssEditor& editor = *Doc->Editor();
  const TModList& blocks = Doc->Blocks();
  const int32_t rule = BlockStartingAt(blocks, ruleStart);
  if (rule < 0 || RuleBlockAt(editor, blocks, editor.Caret()) == rule) {
    return;
  }
  // After the value written, or just inside the brace when the declaration is gone.
  int32_t place = ruleStart + 1;
  if (const std::optional<TDeclarationSpot> spot = FindDeclaration(editor, blocks, rule, name)) {
    place = spot->ValueEnd;
  }
  if (RuleBlockAt(editor, blocks, place) == rule) {
    editor.SetCaret(place);
  }
}

}  // namespace qm
