// The program started where there is no display to show its windows on.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class NoDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void saysHowToGetOneAndEnds();
};

void NoDisplayTest::saysHowToGetOneAndEnds()
{
    // A copy of the program in a folder of its own: it must not touch the build's program folder.
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("Cartavox"));
    QVERIFY(QFile::copy(QStringLiteral(CARTAVOX_PROGRAM), program));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    process.start(program, {});
    QVERIFY(process.waitForFinished(30000));

    QCOMPARE(process.exitStatus(), QProcess::NormalExit); // no abort, no core dump
    QCOMPARE(process.exitCode(), 1);
    const QString said = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(said.count(u'\n'), 1);
    QVERIFY2(said.contains(QLatin1String("display")), qPrintable(said));
    QVERIFY2(said.contains(QLatin1String("xvfb-run")), qPrintable(said));
    QVERIFY2(said.contains(QLatin1String("ssh -L 5900:localhost:5900")), qPrintable(said));
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Cartavox"});
}

QTEST_GUILESS_MAIN(NoDisplayTest)
#include "tst_no_display.moc"
