// SPDX-License-Identifier: GPL-3.0-or-later
// The editor kit on real and generated sheets: a key typed at 100 carets in bootstrap 5 (folding
// and the views following), a custom property used 500 times renamed, and Find in Files over a
// folder of 200 generated sheets. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include "app/cssmain.h"
#include "app/documenttabs.h"
#include "app/editorkit.h"
#include "app/findinfilespanel.h"
#include "app/opendocument.h"
#include "bench/corpus.h"
#include "bench/qtmain.h"
#include "bench/silentprompts.h"
#include "model/assist/customproperties.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {
namespace {

using Sci = QsciScintillaBase;

struct TWindow {
  TWindow()
      : Settings(TSettingsStore::ForIniFile(Dir.filePath(QStringLiteral("s.ini")))),
        Platform{Settings.get(), &Prompts, &Shell, Dir.path(), QStringLiteral(QUILLMERE_DATA_DIR),
                 QString()},
        Window(Platform) {}
  TOpenDocument& Open(const QString& name, const std::string& text) {
    const QString path = Dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
    Window.Tabs().OpenOperation(path);
    QCoreApplication::processEvents();
    return *Window.Tabs().CurrentDocument();
  }
  QTemporaryDir Dir;
  std::unique_ptr<TSettingsStore> Settings;
  bench::TSilentPrompts Prompts;
  TSystemShell Shell;
  TPlatform Platform;
  TFrmMain Window;
};

void Key(TCssEditor& editor, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&editor, &press);
}

// A key typed at 100 carets (the starts of 100 lines in the middle of bootstrap 5), then rubbed
// out, in turn, with what the event loop runs after each (fold levels, check, views).
void BM_KeyAt100CaretsInBootstrap5(benchmark::State& state) {
  TWindow on;
  TCssEditor& editor =
      *on.Open(QStringLiteral("bootstrap.css"), bench::CorpusSheet("bootstrap5/bootstrap.css"))
           .Editor();
  const int32_t first = editor.LineCount() / 2;
  editor.SendScintilla(Sci::SCI_SETSELECTION, static_cast<unsigned long>(editor.LineStart(first)),
                       static_cast<long>(editor.LineStart(first)));
  for (int32_t line = first + 1; line < first + 100; ++line) {
    editor.SendScintilla(Sci::SCI_ADDSELECTION, static_cast<unsigned long>(editor.LineStart(line)),
                         static_cast<long>(editor.LineStart(line)));
  }
  bool insert = true;
  for (auto _ : state) {
    if (insert) {
      Key(editor, Qt::Key_X, QStringLiteral("x"));
    } else {
      Key(editor, Qt::Key_Backspace, QString());
    }
    insert = !insert;
    QCoreApplication::processEvents();
  }
  state.counters["carets"] = static_cast<double>(editor.SendScintilla(Sci::SCI_GETSELECTIONS));
}
BENCHMARK(BM_KeyAt100CaretsInBootstrap5)->Unit(benchmark::kMillisecond);

// Word wrap on over the 3 MB corpus minified onto one line: a key typed in its middle and rubbed
// out, in turn, with what the event loop runs after each.
void BM_KeyInWrappedMinified3MB(benchmark::State& state) {
  TWindow on;
  TCssEditor& editor = *on.Open(QStringLiteral("min.css"), bench::MinifiedCorpus()).Editor();
  on.Window.Action(QStringLiteral("acWordWrap"))->trigger();
  editor.resize(800, 1000);
  editor.SetCaret(static_cast<int32_t>(editor.Text().size() / 2));
  QCoreApplication::processEvents();
  bool insert = true;
  for (auto _ : state) {
    if (insert) {
      Key(editor, Qt::Key_X, QStringLiteral("x"));
    } else {
      Key(editor, Qt::Key_Backspace, QString());
    }
    insert = !insert;
    QCoreApplication::processEvents();
  }
  state.counters["wrapped"] = editor.wrapMode() == QsciScintilla::WrapWord ? 1 : 0;
}
BENCHMARK(BM_KeyInWrappedMinified3MB)->Unit(benchmark::kMillisecond);

// A custom property used 500 times renamed and back: found, planned and applied as one step.
void BM_RenameUsed500Times(benchmark::State& state) {
  std::string sheet = ":root { --brand: #336699; }\n";
  for (int rule = 0; rule < 500; ++rule) {
    sheet += ".r" + std::to_string(rule) + " { color: var(--brand); margin: 0 4px; }\n";
  }
  TWindow on;
  TOpenDocument& document = on.Open(QStringLiteral("rename.css"), sheet);
  const std::string names[] = {"--brand", "--accent"};
  int turn = 0;
  for (auto _ : state) {
    TCssEditor& editor = *document.Editor();
    const TCustomProperties properties = FindCustomProperties(editor, document.Blocks());
    const TRenamePlan plan = PlanCustomPropertyRename(editor, properties, names[turn % 2],
                                                      names[(turn + 1) % 2], editor.Caret());
    document.Apply(plan.Batch);
    ++turn;
    state.counters["places"] = plan.Count;
  }
}
BENCHMARK(BM_RenameUsed500Times)->Unit(benchmark::kMillisecond);

// Find in Files over 200 generated sheets of 400 rules each, from the click to the last row.
void BM_FindInFiles200Sheets(benchmark::State& state) {
  TWindow on;
  QTemporaryDir folder;
  std::string sheet;
  for (int rule = 0; rule < 400; ++rule) {
    sheet += ".c" + std::to_string(rule) +
             " > a:hover { color: " + (rule % 7 == 0 ? "red" : "blue") +
             "; margin: 0 auto; padding: 2px 4px; }\n";
  }
  for (int file = 0; file < 200; ++file) {
    QFile out(folder.filePath(QStringLiteral("s%1.css").arg(file)));
    out.open(QIODevice::WriteOnly);
    out.write(sheet.data(), static_cast<qint64>(sheet.size()));
  }
  on.Window.Action(QStringLiteral("acFindInFiles"))->trigger();
  auto* panel = on.Window.findChild<TFindInFilesPanel*>();
  panel->TxtFolder->setText(folder.path());
  panel->TxtFind->setText(QStringLiteral("red"));
  for (auto _ : state) {
    QEventLoop loop;
    QObject::connect(panel, &TFindInFilesPanel::SearchEnded, &loop, &QEventLoop::quit);
    panel->Find();
    loop.exec();
  }
  state.counters["rows"] = static_cast<double>(panel->Rows().size());
  state.counters["MB"] = static_cast<double>(sheet.size()) * 200 / 1e6;
}
BENCHMARK(BM_FindInFiles200Sheets)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  return qm::bench::RunWithQt(argc, argv);
}
