// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/testtypist.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <cstdio>

#include "app/cssmain.h"
#include "app/documentrecord.h"
#include "app/documenttabs.h"
#include "app/opendocument.h"

namespace qm {

namespace {

class TTestTypist : public QObject {
 public:
  TTestTypist(TFrmMain& window, unsigned seed) : QObject(&window), Window(window), Seed(seed) {
    Waiting = new QTimer(this);
    Waiting->setSingleShot(true);
    connect(Waiting, &QTimer::timeout, this, [this] {
      // A modified document gets its record: the pause is not over until it is written.
      if (Document->Editor()->Modified()) {
        Waiting->start(500);
      } else {
        Burst();
      }
    });
    QTimer::singleShot(100, this, &TTestTypist::Begin);
  }

 private:
  unsigned Random(unsigned below) {
    Seed = Seed * 1103515245U + 12345U;
    return (Seed >> 16) % below;
  }

  void Begin() {
    TOpenDocument* document = Window.Tabs().CurrentDocument();
    if (document == nullptr || document->Record() == nullptr) {
      QTimer::singleShot(100, this, &TTestTypist::Begin);
      return;
    }
    Document = document;
    document->Record()->SetPause(20);
    connect(document->Record(), &TDocumentRecord::Written, this, &TTestTypist::Recorded);
    Burst();
  }

  void Print(const char* what, const std::string& bytes = {}) {
    std::printf(
        "%s %d %s\n", what, Pauses,
        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toBase64().constData());
    std::fflush(stdout);
  }

  void Burst() {
    static const QString Keys = QStringLiteral("ab{}:;\u00e9 \n");
    const unsigned count = 1 + Random(8);
    for (unsigned i = 0; i < count; ++i) {
      const QChar c = Keys[static_cast<qsizetype>(Random(static_cast<unsigned>(Keys.size())))];
      const bool enter = c == QLatin1Char('\n');
      QKeyEvent press(QEvent::KeyPress, enter ? Qt::Key_Return : Qt::Key_unknown, Qt::NoModifier,
                      enter ? QStringLiteral("\r") : QString(c));
      QCoreApplication::sendEvent(Document->Editor(), &press);
    }
    // What the pause after this burst is to record.
    Print("typed", Document->FileBytes());
    // Typing that changed nothing writes no record: go on after a while all the same.
    Waiting->start(500);
  }

  void Recorded() {
    Waiting->stop();
    ++Pauses;
    Print("recorded", Document->FileBytes());
    if (Random(2) == 0) {
      Print("saving");
      Window.Tabs().SaveCurrent();
      Print("saved");
    }
    QTimer::singleShot(static_cast<int>(Random(5)), this, &TTestTypist::Burst);
  }

  TFrmMain& Window;
  unsigned Seed;
  TOpenDocument* Document = nullptr;
  QTimer* Waiting = nullptr;
  int Pauses = 0;
};

}  // namespace

void StartTestTypist(TFrmMain& window) {
  bool given = false;
  const unsigned seed = qEnvironmentVariable("QUILLMERE_TEST_TYPIST").toUInt(&given);
  if (given) {
    new TTestTypist(window, seed);
  }
}

}  // namespace qm
