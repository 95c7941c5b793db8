// morvane-cli: argument handling and exit codes.
#include "temp_program_dir.h"

#include <QProcess>
#include <QtTest>

class TestCli : public QObject
{
    Q_OBJECT
private slots:
    void arguments_data();
    void arguments();
};

void TestCli::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stdoutText");
    QTest::newRow("no command") << QStringList{} << 2 << "";
    QTest::newRow("unknown command") << QStringList{u"frobnicate"_qs} << 2 << "";
    QTest::newRow("home without dir") << QStringList{u"--home"_qs} << 2 << "";
    QTest::newRow("help") << QStringList{u"--help"_qs} << 0 << "usage: morvane-cli";
    QTest::newRow("home") << QStringList{u"--home"_qs, u"/tmp/somewhere"_qs, u"home"_qs} << 0
                          << "/tmp/somewhere\n";
}

void TestCli::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, stdoutText);
    QProcess p;
    p.start(QStringLiteral(MORVANE_CLI), args);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), exitCode);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(stdoutText.isEmpty() ? out.isEmpty() : out.startsWith(stdoutText), qPrintable(out));
    if (exitCode == 2)
        QVERIFY(!p.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
