// setting.ini: reading and the exact rewrite rules, owner-only permissions, and failures that must
// never lose the old file.
#include "common/codec.h"
#include "common/settings.h"
#include "temp_program_dir.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {

const QByteArray header = Codec::encodeAnsi(SettingsFile::headerLine());

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void noFile();
    void read_data();
    void read();
    void write_data();
    void write();
    void emptyKey();
    void writeLastKeyDeletesFile();
    void createdOwnerOnly();
    void writeFailureKeepsOldFile();
    void gbkValuesRoundTrip();
};

void TestSettings::noFile()
{
    TempProgramDir dir(TempProgramDir::Empty);
    SettingsFile settings(dir.path());
    QCOMPARE(settings.ReadSetting(QStringLiteral("Url"), QString()), QString());
    QCOMPARE(settings.ReadSetting(QStringLiteral("Url"), QStringLiteral("d")), QStringLiteral("d"));
    QVERIFY(settings.WriteSetting(QStringLiteral("Url"), QString()));
    QVERIFY(!QFileInfo::exists(settings.path()));
    QVERIFY(settings.WriteSetting(QStringLiteral("Url"), QStringLiteral("abc")));
    QCOMPARE(dir.read(QStringLiteral("setting.ini")), header + "\r\nUrl = abc\r\n");
}

void TestSettings::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("spaces around") << QByteArray("  Url=abc  \r\n") << "Url" << "abc";
    QTest::newRow("case matters") << QByteArray("  Url=abc  \r\n") << "url" << "<default>";
    QTest::newRow("first of two") << QByteArray("Url = a\r\nUrl = b\r\n") << "Url" << "a";
    QTest::newRow("value holding ' = '") << QByteArray("k = a = b\r\n") << "k" << "a = b";
    QTest::newRow("comment skipped") << QByteArray("  #Url = x\r\nUrl = y\r\n") << "Url" << "y";
    QTest::newRow("tabs stay") << QByteArray("Url =\tx\t\r\n") << "Url" << "\tx\t";
    QTest::newRow("junk and blank lines") << QByteArray("junk\r\n\r\n\r\n=\r\nUrl = z") << "Url"
                                          << "z";
    QTest::newRow("LF only") << QByteArray("a = 1\nUrl = 2\n") << "Url" << "2";
    QTest::newRow("utf-8 mark") << QByteArray("\xEF\xBB\xBFUrl = \xE7\xAB\x99\r\n") << "Url"
                                << "站";
    QTest::newRow("gbk value") << Codec::encodeAnsi(QStringLiteral("TJName = 我的站\r\n"))
                               << "TJName" << "我的站";
    QTest::newRow("very long line") << (QByteArray("Url = ") + QByteArray(100000, 'v') + "\r\n")
                                    << "Url" << QString(100000, u'v');
    QTest::newRow("missing key") << QByteArray("a = 1\r\n") << "Url" << "<default>";
}

void TestSettings::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, value);
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(dir.write(QStringLiteral("setting.ini"), file));
    QCOMPARE(SettingsFile(dir.path()).ReadSetting(key, QStringLiteral("<default>")), value);
}

void TestSettings::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("replaces every line of the key")
        << QByteArray("Url = a\r\nx=1\r\nUrl=b\r\n") << "Url" << "new"
        << QByteArray("Url = new\r\nx=1\r\nUrl = new\r\n");
    QTest::newRow("blank and junk lines vanish, comment trimmed")
        << QByteArray("  # note\r\n\r\njunk\r\n a = 1 \r\n") << "b" << "2"
        << QByteArray("# note\r\na = 1\r\nb = 2\r\n");
    QTest::newRow("empty value removes the key")
        << QByteArray("#c\r\nUrl = a\r\nk = v\r\n") << "Url" << ""
        << QByteArray("#c\r\nk = v\r\n");
    QTest::newRow("same value still rewrites spacing")
        << QByteArray("Url=a\r\n") << "Url" << "a" << QByteArray("Url = a\r\n");
    QTest::newRow("LF file becomes CR LF")
        << QByteArray("a=1\nb=2\n") << "c" << "3" << QByteArray("a=1\r\nb=2\r\nc = 3\r\n");
    QTest::newRow("utf-8 mark rewritten as GB18030")
        << QByteArray("\xEF\xBB\xBFName = \xE7\xAB\x99\r\n") << "k" << "v"
        << (Codec::encodeAnsi(QStringLiteral("Name = 站")) + "\r\nk = v\r\n");
}

void TestSettings::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(dir.write(QStringLiteral("setting.ini"), before));
    QVERIFY(SettingsFile(dir.path()).WriteSetting(key, value));
    QCOMPARE(dir.read(QStringLiteral("setting.ini")), after);
}

void TestSettings::emptyKey()
{
    TempProgramDir dir(TempProgramDir::Empty);
    SettingsFile settings(dir.path());
    QVERIFY(!settings.WriteSetting(QString(), QStringLiteral("x")));
    QVERIFY(!QFileInfo::exists(settings.path()));
    QCOMPARE(settings.ReadSetting(QString(), QStringLiteral("d")), QStringLiteral("d"));
}

void TestSettings::writeLastKeyDeletesFile()
{
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(dir.write(QStringLiteral("setting.ini"), "Url = a\r\n"));
    SettingsFile settings(dir.path());
    QVERIFY(settings.WriteSetting(QStringLiteral("Url"), QString()));
    QVERIFY(!QFileInfo::exists(settings.path()));
}

void TestSettings::createdOwnerOnly()
{
    TempProgramDir dir(TempProgramDir::Empty);
    SettingsFile settings(dir.path());
    QVERIFY(settings.WriteSetting(QStringLiteral("TJPass"), QStringLiteral("secret")));
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                        | QFileDevice::WriteOther;
    QCOMPARE(QFileInfo(settings.path()).permissions() & others, QFileDevice::Permissions());
    // A rewrite of a file that others could read tightens it too.
    QFile::setPermissions(settings.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               | QFileDevice::ReadOther);
    QVERIFY(settings.WriteSetting(QStringLiteral("TJPass"), QStringLiteral("other")));
    QCOMPARE(QFileInfo(settings.path()).permissions() & others, QFileDevice::Permissions());
}

void TestSettings::writeFailureKeepsOldFile()
{
    // The program directory is a plain file: nothing can be created below it (even for root).
    TempProgramDir dir(TempProgramDir::Empty);
    QVERIFY(dir.write(QStringLiteral("notadir"), "x"));
    SettingsFile broken(dir.file(QStringLiteral("notadir")));
    QVERIFY(!broken.WriteSetting(QStringLiteral("Url"), QStringLiteral("a")));
    QCOMPARE(broken.ReadSetting(QStringLiteral("Url"), QStringLiteral("d")), QStringLiteral("d"));

    // setting.ini is a folder: reads give defaults, writes report false, the folder stays.
    TempProgramDir dir2(TempProgramDir::Empty);
    QVERIFY(QDir(dir2.path()).mkdir(QStringLiteral("setting.ini")));
    SettingsFile folder(dir2.path());
    QCOMPARE(folder.ReadSetting(QStringLiteral("Url"), QStringLiteral("d")), QStringLiteral("d"));
    QVERIFY(!folder.WriteSetting(QStringLiteral("Url"), QStringLiteral("a")));
    QVERIFY(QFileInfo(folder.path()).isDir());
}

void TestSettings::gbkValuesRoundTrip()
{
    TempProgramDir dir(TempProgramDir::Empty);
    SettingsFile settings(dir.path());
    QVERIFY(settings.WriteSetting(QStringLiteral("TJName"), QStringLiteral("站长之家 😀")));
    QCOMPARE(settings.ReadSetting(QStringLiteral("TJName"), QString()),
             QStringLiteral("站长之家 😀"));
    QVERIFY(dir.read(QStringLiteral("setting.ini")).contains(Codec::encodeAnsi(QStringLiteral("站长"))));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
