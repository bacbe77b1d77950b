// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its data and puts its work files, portable and installed, and the
// command-line options that answer without a window.
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "app/commandline.h"
#include "platform/workfolder.h"
#include "testenv.h"

using namespace qm;

namespace {

// Makes folder (below root) holding the CSS1 catalogue, or only the folder when withData is false.
void MakeFolder(const QTemporaryDir& root, const QString& folder, bool withData) {
  QVERIFY(QDir(root.path()).mkpath(folder));
  if (withData) {
    QFile file(QDir(root.path()).filePath(folder + QStringLiteral("/css1.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Background]\n");
  }
}

}  // namespace

class TestInstallLayout : public QObject {
  Q_OBJECT

 private slots:
  void FindsTheDataBesideTheProgramOrInTheInstalledTree_data() {
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("shareFolder");
    QTest::addColumn<bool>("shareData");
    QTest::addColumn<QString>("expected");
    QTest::newRow("portable") << true << false << false << "bin";
    QTest::newRow("installed") << false << true << true << "share/quillmere";
    QTest::newRow("a copy beside the program wins") << true << true << true << "bin";
    QTest::newRow("an empty share folder") << false << true << false << "bin";
    QTest::newRow("nothing anywhere") << false << false << false << "bin";
  }
  void FindsTheDataBesideTheProgramOrInTheInstalledTree() {
    QFETCH(bool, beside);
    QFETCH(bool, shareFolder);
    QFETCH(bool, shareData);
    QFETCH(QString, expected);
    const QTemporaryDir root;
    MakeFolder(root, QStringLiteral("bin"), beside);
    if (shareFolder) {
      MakeFolder(root, QStringLiteral("share/quillmere"), shareData);
    }
    const QString program = QDir(root.path()).filePath(QStringLiteral("bin"));
    QCOMPARE(FindDataFolder(program), QDir(root.path()).filePath(expected));
  }

  void WorkFilesStayBesideOnlyAPortableProgram() {
    const QTemporaryDir root;
    const QString user = QDir(root.path()).filePath(QStringLiteral("user"));
    MakeFolder(root, QStringLiteral("bin"), true);
    const QString program = QDir(root.path()).filePath(QStringLiteral("bin"));
    QCOMPARE(ChooseWorkFolder(program, FindDataFolder(program), user), program);

    // Installed: the system's folders are never written, even by a user who could.
    const QTemporaryDir installed;
    MakeFolder(installed, QStringLiteral("bin"), false);
    MakeFolder(installed, QStringLiteral("share/quillmere"), true);
    const QString bin = QDir(installed.path()).filePath(QStringLiteral("bin"));
    QCOMPARE(ChooseWorkFolder(bin, FindDataFolder(bin), user), user);
  }

  void AReadOnlyPortableFolderSendsWorkFilesToTheUser() {
#ifdef Q_OS_UNIX
    if (geteuid() == 0) {
      QSKIP("root writes into a read-only folder");
    }
#else
    QSKIP("a folder's permission bits do not stop writes on this system");
#endif
    const QTemporaryDir root;
    MakeFolder(root, QStringLiteral("bin"), true);
    const QString program = QDir(root.path()).filePath(QStringLiteral("bin"));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    const QString user = QDir(root.path()).filePath(QStringLiteral("user"));
    QCOMPARE(ChooseWorkFolder(program, program, user), user);
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  }

  void TheVersionNamesTheDataFolderAndSaysWhenItIsEmpty() {
    const QTemporaryDir root;
    MakeFolder(root, QStringLiteral("data"), true);
    MakeFolder(root, QStringLiteral("empty"), false);
    const QString data = QDir(root.path()).filePath(QStringLiteral("data"));
    const QString empty = QDir(root.path()).filePath(QStringLiteral("empty"));
    QCOMPARE(VersionText(data),
             QStringLiteral(QUILLMERE_VERSION "\nData folder: ") + QDir::toNativeSeparators(data));
    QCOMPARE(VersionText(empty), QStringLiteral(QUILLMERE_VERSION "\nData folder: ") +
                                     QDir::toNativeSeparators(empty) +
                                     QStringLiteral(" (the catalogues are missing)"));
  }

  void OnlyTheAnsweringOptionsSkipTheWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("answerOnly");
    QTest::newRow("no arguments") << QStringList{"quillmere"} << false;
    QTest::newRow("files") << QStringList{"quillmere", "a.css", "b.css"} << false;
    QTest::newRow("--version") << QStringList{"quillmere", "--version"} << true;
    QTest::newRow("-v after a file") << QStringList{"quillmere", "a.css", "-v"} << true;
    QTest::newRow("--help") << QStringList{"quillmere", "--help"} << true;
    QTest::newRow("-h") << QStringList{"quillmere", "-h"} << true;
    QTest::newRow("a file named -v") << QStringList{"quillmere", "--", "-v"} << false;
    QTest::newRow("the program's own name") << QStringList{"--version"} << false;
  }
  void OnlyTheAnsweringOptionsSkipTheWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, answerOnly);
    QCOMPARE(AsksForAnswerOnly(arguments), answerOnly);
  }

  void TheParserTakesEveryOtherArgumentAsAFile() {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    QVERIFY(parser.parse({"quillmere", "a b.css", "--", "-v.css"}));
    QCOMPARE(parser.positionalArguments(), (QStringList{"a b.css", "-v.css"}));
    QVERIFY(!parser.parse({"quillmere", "--no-such-option"}));
  }
};

QM_TEST_MAIN(TestInstallLayout)
#include "tst_installlayout.moc"
