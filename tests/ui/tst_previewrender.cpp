// SPDX-License-Identifier: GPL-3.0-or-later
// The Preview panel's browser draws the generated page with the sheet applied, and the sheet's
// relative url()s lead to the files beside it, as they do on the user's site.
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QToolBar>
#include <QWebEngineView>

#include "pagescript.h"
#include "testenv.h"

using namespace qm;

class TestPreviewRender : public QObject {
  Q_OBJECT

 private slots:
  void theBrowserDrawsTheSheetWithItsRelativeImages() {
    TTestEnv env;
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(QColor(200, 0, 0));
    QDir().mkpath(env.Dir.filePath(QStringLiteral("site/img")));
    QVERIFY(tile.save(env.Dir.filePath(QStringLiteral("site/img/bg.png"))));
    const QString sheet = env.WriteFile(
        QStringLiteral("site/css/look.css"),
        "h1 { color: rgb(1, 2, 3) }\r\n.note { height: 40px; background: url(../img/bg.png) }");

    TFrmMain& w = env.MakeWindow();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(sheet);
    QTest::mouseClick(w.Preview().ToolBar()->widgetForAction(w.Preview().Action("TbRefresh")),
                      Qt::LeftButton);
    QVERIFY(w.Preview().Browser() != nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(w.Preview().Browser()->title(), QStringLiteral("Quillmere preview"),
                              20000);

    QCOMPARE(RunPageScript(w.Preview().Browser(),
                           QStringLiteral("getComputedStyle(document.querySelector('h1'))"
                                          ".color"))
                 .toString(),
             QStringLiteral("rgb(1, 2, 3)"));
    const QJsonObject box =
        QJsonDocument::fromJson(RunPageScript(w.Preview().Browser(), QStringLiteral(R"(
            const note = document.querySelector('div.note');
            note.scrollIntoView();
            JSON.stringify(note.getBoundingClientRect());)"))
                                    .toString()
                                    .toUtf8())
            .object();
    QVERIFY(box.value(QStringLiteral("height")).toDouble() == 40);
    const QPoint centre(static_cast<int>(box.value(QStringLiteral("left")).toDouble() + 4),
                        static_cast<int>(box.value(QStringLiteral("top")).toDouble() + 20));
    // The image has loaded once the panel shows its red where the division is.
    QTRY_COMPARE_WITH_TIMEOUT(w.Preview().Browser()->grab().toImage().pixelColor(centre),
                              QColor(200, 0, 0), 20000);
  }
};

QM_TEST_MAIN(TestPreviewRender)
#include "tst_previewrender.moc"
