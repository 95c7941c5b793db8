// FSO: GB18030 reads and writes, error texts, and the file text kept across a failed read.
#include "common/codec.h"
#include "common/fso.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFso : public QObject
{
    Q_OBJECT
private slots:
    void roundTripIsByteExact();
    void emptyFile();
    void missingFile();
    void utf8MarkIsNotRecognised();
    void failedReadKeepsPreviousText();
    void saveFailures();
    void saveReplacesWhole();
    void otherCoding();

private:
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    static void writeBytes(const QString &p, const QByteArray &bytes)
    {
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray readBytes(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

void TestFso::roundTripIsByteExact()
{
    const QByteArray gbk = Codec::encodeAnsi(QStringLiteral("原词|替换词\r\n我们|咱们"));
    writeBytes(path("dict.dict"), gbk);
    FSO fso;
    QVERIFY(fso.OpenFile(path("dict.dict")));
    QCOMPARE(fso.GetFileText(), QStringLiteral("原词|替换词\r\n我们|咱们"));
    QVERIFY(fso.SaveFile(path("copy.dict"), fso.GetFileText()));
    QCOMPARE(readBytes(path("copy.dict")), gbk);
}

void TestFso::emptyFile()
{
    writeBytes(path("empty"), QByteArray());
    FSO fso;
    QVERIFY(fso.OpenFile(path("empty")));
    QCOMPARE(fso.GetFileText(), QString());
    QVERIFY(fso.SaveFile(path("empty2"), QString()));
    QVERIFY(QFile::exists(path("empty2")));
    QCOMPARE(readBytes(path("empty2")).size(), 0);
}

void TestFso::missingFile()
{
    FSO fso;
    const QString p = path("nothing-here");
    QVERIFY(!fso.OpenFile(p));
    QVERIFY(fso.GetErrorInfo().startsWith(p + QStringLiteral("打开失败！错误信息:")));
    QCOMPARE(fso.GetFileText(), QString());
    QVERIFY(!QFile::exists(p)); // a failed read leaves nothing behind
}

void TestFso::utf8MarkIsNotRecognised()
{
    writeBytes(path("bom"), QByteArray("\xEF\xBB\xBF") + "a");
    FSO fso;
    QVERIFY(fso.OpenFile(path("bom")));
    QCOMPARE(fso.GetFileText(), Codec::decodeAnsi(QByteArray("\xEF\xBB\xBF" "a")));
    QVERIFY(fso.GetFileText().size() >= 2);
    QVERIFY(fso.GetFileText() != QStringLiteral("a"));
}

void TestFso::failedReadKeepsPreviousText()
{
    writeBytes(path("first"), "first text");
    FSO fso;
    QVERIFY(fso.OpenFile(path("first")));
    QVERIFY(!fso.OpenFile(path("missing")));
    QCOMPARE(fso.GetFileText(), QStringLiteral("first text"));
}

void TestFso::saveFailures()
{
    FSO fso;
    // A path below a plain file can never be written, whoever runs the test.
    writeBytes(path("plain"), "x");
    const QString below = path("plain") + QStringLiteral("/dict.dict");
    QVERIFY(!fso.SaveFile(below, QStringLiteral("a|b")));
    QVERIFY(fso.GetErrorInfo().startsWith(below + QStringLiteral("保存失败！错误信息:")));
    // A folder in place of the file.
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("afolder")));
    QVERIFY(!fso.SaveFile(path("afolder"), QStringLiteral("a|b")));
    QVERIFY(QFileInfo(path("afolder")).isDir());
}

void TestFso::saveReplacesWhole()
{
    writeBytes(path("replace"), QByteArray(1000, 'z'));
    FSO fso;
    QVERIFY(fso.SaveFile(path("replace"), QStringLiteral("短")));
    QCOMPARE(readBytes(path("replace")), Codec::encodeAnsi(QStringLiteral("短")));
}

void TestFso::otherCoding()
{
    FSO fso;
    fso.SetCoding(QStringLiteral("UTF-8"));
    QVERIFY(fso.SaveFile(path("utf8"), QStringLiteral("中文")));
    QCOMPARE(readBytes(path("utf8")), QByteArray("\xE4\xB8\xAD\xE6\x96\x87"));
    fso.SetCoding(QStringLiteral("no-such-charset"));
    QVERIFY(!fso.SaveFile(path("bad"), QStringLiteral("x")));
    QVERIFY(fso.GetErrorInfo().contains(QStringLiteral("保存失败！错误信息:")));
}

QTEST_GUILESS_MAIN(TestFso)
#include "tst_fso.moc"
