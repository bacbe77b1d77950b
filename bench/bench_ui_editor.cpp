// SPDX-License-Identifier: GPL-3.0-or-later
// The editor widget on a 3 MB sheet: a keystroke in its middle with the visible lines restyled,
// and filling the Selectors tree with every block of the sheet. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <algorithm>

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "app/cssmain.h"
#include "app/declarationsync.h"
#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "app/propertiespanel.h"
#include "app/selectorspanel.h"
#include "bench/corpus.h"
#include "bench/qtmain.h"
#include "bench/silentprompts.h"
#include "controls/csseditor.h"
#include "controls/inspectorcss.h"
#include "model/sheet/sheetlayout.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {
namespace {

using bench::TSilentPrompts;

const std::string& ThreeMegabytes() {
  static const std::string text = bench::ConcatenatedCorpus();
  return text;
}

// One keystroke at the caret: a key typed, or the one typed before rubbed out, in turn.
void TypeOrRubOut(TCssEditor& editor, bool& insert) {
  if (insert) {
    editor.SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 1, "x");
  } else {
    editor.SendScintilla(QsciScintillaBase::SCI_DELETEBACK);
  }
  insert = !insert;
}

// A key typed and rubbed out in turn in the middle of the sheet; with restyle, also what a repaint
// styles then: the screenful from the caret on. Without it the figure is the editor's own cost.
void TypeInTheMiddle(benchmark::State& state, bool restyle,
                     const std::string& text = ThreeMegabytes()) {
  TCssEditor editor;
  editor.resize(800, 1000);
  editor.LoadBytes(text);
  editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0, -1);
  const int32_t line = editor.LineCount() / 2;
  const int32_t at = editor.LineStart(line);
  editor.SetCaret(at);
  bool insert = true;
  for (auto _ : state) {
    TypeOrRubOut(editor, insert);
    if (restyle) {
      editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, at, editor.LineStart(line + 60));
    }
  }
}

void BM_KeystrokeIn3MB(benchmark::State& state) {
  TypeInTheMiddle(state, true);
}
BENCHMARK(BM_KeystrokeIn3MB)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeOnlyIn3MB(benchmark::State& state) {
  TypeInTheMiddle(state, false);
}
BENCHMARK(BM_KeystrokeOnlyIn3MB)->Unit(benchmark::kMicrosecond);

// The 3 MB one-line sheet after Format Document: a keystroke costs what it costs anywhere.
void BM_KeystrokeInFormattedMinified3MB(benchmark::State& state) {
  static const std::string formatted = FormatSheet(bench::MinifiedCorpus());
  TypeInTheMiddle(state, true, formatted);
  state.counters["lines"] =
      static_cast<double>(std::count(formatted.begin(), formatted.end(), '\n') + 1);
}
BENCHMARK(BM_KeystrokeInFormattedMinified3MB)->Unit(benchmark::kMicrosecond);

// A keystroke with what the open document does after it: the block list brought up to date.
void BM_KeystrokeAndBlocksIn3MB(benchmark::State& state) {
  TOpenDocument document;
  TCssEditor& editor = *document.Editor();
  editor.LoadBytes(ThreeMegabytes());
  document.Blocks();
  const int32_t at = editor.LineStart(editor.LineCount() / 2) + 2;
  editor.SetCaret(at);
  bool insert = true;
  for (auto _ : state) {
    TypeOrRubOut(editor, insert);
    benchmark::DoNotOptimize(document.Blocks().Count());
  }
}
BENCHMARK(BM_KeystrokeAndBlocksIn3MB)->Unit(benchmark::kMicrosecond);

void BM_FillTreeOf3MB(benchmark::State& state) {
  QTemporaryDir dir;
  auto settings = TSettingsStore::ForIniFile(dir.filePath(QStringLiteral("s.ini")));
  TSilentPrompts prompts;
  TSystemShell shell;
  TPlatform platform{settings.get(), &prompts, &shell, dir.path(), dir.path(), QString()};
  TFrmMain window(platform);
  window.Tabs().NewDocument();
  window.Tabs().CurrentEditor()->LoadBytes(ThreeMegabytes());
  const TModList& blocks = window.Tabs().CurrentDocument()->Blocks();
  for (auto _ : state) {
    window.Selectors().RefreshTree();
  }
  state.counters["blocks"] = blocks.Count();
}
BENCHMARK(BM_FillTreeOf3MB)->Unit(benchmark::kMillisecond);

// The window over the program's own catalogues with the 3 MB sheet open and the caret in its
// last block, which ends with bootstrap 5.
struct TWindowOn3MB {
  TWindowOn3MB()
      : Settings(TSettingsStore::ForIniFile(Dir.filePath(QStringLiteral("s.ini")))),
        Platform{Settings.get(), &Prompts, &Shell, Dir.path(), QStringLiteral(QUILLMERE_DATA_DIR),
                 QString()},
        Window(Platform) {
    Window.Tabs().NewDocument();
    Editor = Window.Tabs().CurrentEditor();
    Editor->LoadBytes(LastBlockSheet());
    const TModList& blocks = Window.Tabs().CurrentDocument()->Blocks();
    Block = blocks.Items(blocks.Count() - 1);
    Before = blocks.Items(blocks.Count() - 2);
    Editor->SetCaret(Block.StartPos + 1);
  }
  static const std::string& LastBlockSheet() {
    static const std::string text = bench::ConcatenatedCorpus("bootstrap5/bootstrap.css");
    return text;
  }
  QTemporaryDir Dir;
  std::unique_ptr<TSettingsStore> Settings;
  TSilentPrompts Prompts;
  TSystemShell Shell;
  TPlatform Platform;
  TFrmMain Window;
  TCssEditor* Editor = nullptr;
  TItmRecord Block;
  TItmRecord Before;
};

// The caret moved between the last rule and the one before it: every view reads and shows the
// rule it enters (a move within a rule reads nothing).
void BM_ReadingPassIn3MB(benchmark::State& state) {
  TWindowOn3MB on;
  const int32_t places[] = {on.Block.StartPos + 1, on.Before.StartPos + 1};
  int turn = 0;
  for (auto _ : state) {
    on.Editor->SetCaret(places[turn++ % 2]);
    on.Editor->CheckStatus();
  }
  state.counters["rows"] = on.Window.Properties().Inspector()->Count();
}
BENCHMARK(BM_ReadingPassIn3MB)->Unit(benchmark::kMillisecond);

// One value set in the inspector: the declaration written into the last block as one undo step
// and the block list rebuilt.
void BM_DoQueueIn3MB(benchmark::State& state) {
  TWindowOn3MB on;
  const QString values[] = {QStringLiteral("red"), QStringLiteral("#00FF00")};
  int turn = 0;
  for (auto _ : state) {
    on.Window.Declarations().Write(QStringLiteral("color"), values[turn++ % 2]);
  }
}
BENCHMARK(BM_DoQueueIn3MB)->Unit(benchmark::kMillisecond);

void BM_OpenAndRefreshItm3MB(benchmark::State& state) {
  for (auto _ : state) {
    TCssEditor editor;
    editor.LoadBytes(ThreeMegabytes());
    TModList blocks;
    RebuildBlocks(editor, blocks);
    benchmark::DoNotOptimize(blocks.Count());
  }
}
BENCHMARK(BM_OpenAndRefreshItm3MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  return qm::bench::RunWithQt(argc, argv);
}
