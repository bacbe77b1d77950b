// SPDX-License-Identifier: GPL-3.0-or-later
// The editor widget on a 3 MB sheet: a keystroke in its middle with the visible lines restyled,
// and filling the Selectors tree with every block of the sheet. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "app/cssmain.h"
#include "app/opendocument.h"
#include "app/selectorspanel.h"
#include "bench/corpus.h"
#include "controls/csseditor.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {
namespace {

// The window's questions answered unseen: the temporary folder has no catalogues to read.
class TSilentPrompts : public TPrompts {
 public:
  TButton Message(TMessageKind, const QString&, const QList<TButton>&, const QString&) override {
    return TButton::Ok;
  }
  QString OpenFileName(const QString&, const QString&) override { return {}; }
  std::optional<TSaveAnswer> SaveFileName(const QString&, const QString&) override { return {}; }
  std::optional<QColor> ChooseColor(const QColor&) override { return {}; }
  bool RunDialog(QDialog&) override { return false; }
};

const std::string& ThreeMegabytes() {
  static const std::string text = bench::ConcatenatedCorpus();
  return text;
}

// A key typed and rubbed out in turn in the middle of the sheet; with restyle, also what a repaint
// styles then: the screenful from the caret on. Without it the figure is the editor's own cost.
void TypeInTheMiddle(benchmark::State& state, bool restyle) {
  TCssEditor editor;
  editor.resize(800, 1000);
  editor.LoadBytes(ThreeMegabytes());
  editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0, -1);
  const int32_t line = editor.LineCount() / 2;
  const int32_t at = editor.LineStart(line);
  editor.SetCaret(at);
  bool insert = true;
  for (auto _ : state) {
    if (insert) {
      editor.SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 1, "x");
    } else {
      editor.SendScintilla(QsciScintillaBase::SCI_DELETEBACK);
    }
    insert = !insert;
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

void BM_FillTreeOf3MB(benchmark::State& state) {
  QTemporaryDir dir;
  auto settings = TSettingsStore::ForIniFile(dir.filePath(QStringLiteral("s.ini")));
  TSilentPrompts prompts;
  TSystemShell shell;
  TPlatform platform{settings.get(), &prompts, &shell, dir.path(), dir.path()};
  TFrmMain window(platform);
  window.NewDocument();
  window.CurrentEditor()->LoadBytes(ThreeMegabytes());
  const TModList& blocks = window.CurrentDocument()->Blocks();
  for (auto _ : state) {
    window.Selectors().RefreshTree();
  }
  state.counters["blocks"] = blocks.Count();
}
BENCHMARK(BM_FillTreeOf3MB)->Unit(benchmark::kMillisecond);

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
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
