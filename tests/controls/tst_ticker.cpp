// The news-ticker link label: caption and href, the hold/scroll cycle, wrapping, clicks.
#include "controls/ticker.h"
#include "gui_test_main.h"

#include <QSignalSpy>

namespace {

// Steps until the title rests again (Timer1 on) or the step budget runs out.
int scrollUntilRest(UserControl1 &t, int budget = 200)
{
    int steps = 0;
    t.holdTick();
    while (!t.holding() && steps < budget) {
        t.scrollStep();
        ++steps;
    }
    return steps;
}

} // namespace

class TestTicker : public QObject
{
    Q_OBJECT
private slots:
    void startsHolding();
    void captionShowsFirstItem();
    void cycleShowsNextAndWraps();
    void emptyCaptionKeepsDisplay();
    void itemWithoutAddressKeepsAddress();
    void shorterListRestartsAtFirst();
    void hrefWriteDoesNotChangeAddress();
    void clickIsRaised();
    void realTimersAdvance();
};

void TestTicker::startsHolding()
{
    UserControl1 t;
    QVERIFY(t.holding());
    QVERIFY(!t.scrolling());
    QCOMPARE(t.Nums(), qint16(0));
    QCOMPARE(t.titlePosition(), 0.0f);
}

void TestTicker::captionShowsFirstItem()
{
    UserControl1 t;
    t.setCaption(QStringLiteral("新闻一,http://a.test/1;新闻二,http://a.test/2"));
    QCOMPARE(t.shownTitle(), QStringLiteral("新闻一"));
    QCOMPARE(t.href(), QStringLiteral("http://a.test/1"));
    QCOMPARE(t.Caption(), QStringLiteral("新闻一,http://a.test/1;新闻二,http://a.test/2"));
}

void TestTicker::cycleShowsNextAndWraps()
{
    UserControl1 t;
    t.setCaption(QStringLiteral("一,u1;二,u2"));
    // Out: 0 .. -310 is 31 steps, one step places the next item at 400, 40 steps bring it to 0.
    QCOMPARE(scrollUntilRest(t), 31 + 1 + 40);
    QCOMPARE(t.shownTitle(), QStringLiteral("二"));
    QCOMPARE(t.href(), QStringLiteral("u2"));
    QCOMPARE(t.Nums(), qint16(1));
    QCOMPARE(t.titlePosition(), 0.0f);
    scrollUntilRest(t);
    QCOMPARE(t.shownTitle(), QStringLiteral("一"));
    QCOMPARE(t.href(), QStringLiteral("u1"));
    QCOMPARE(t.Nums(), qint16(0));
}

void TestTicker::emptyCaptionKeepsDisplay()
{
    UserControl1 t;
    t.setCaption(QStringLiteral("一,u1"));
    t.setCaption(QString());
    QCOMPARE(t.shownTitle(), QStringLiteral("一"));
    QCOMPARE(t.href(), QStringLiteral("u1"));
    QCOMPARE(scrollUntilRest(t), 72); // the title keeps moving
    QCOMPARE(t.shownTitle(), QStringLiteral("一"));
}

void TestTicker::itemWithoutAddressKeepsAddress()
{
    UserControl1 t;
    t.setCaption(QStringLiteral("一,u1;只有标题"));
    scrollUntilRest(t);
    QCOMPARE(t.shownTitle(), QStringLiteral("只有标题"));
    QCOMPARE(t.href(), QStringLiteral("u1"));
}

void TestTicker::shorterListRestartsAtFirst()
{
    UserControl1 t;
    t.setCaption(QStringLiteral("一,u1;二,u2;三,u3"));
    scrollUntilRest(t);
    scrollUntilRest(t);
    QCOMPARE(t.Nums(), qint16(2));
    t.setCaption(QStringLiteral("甲,x1;乙,x2"));
    QCOMPARE(t.Nums(), qint16(2)); // setting the caption leaves the cycle alone
    scrollUntilRest(t);
    QCOMPARE(t.Nums(), qint16(0));
    QCOMPARE(t.shownTitle(), QStringLiteral("甲"));
}

void TestTicker::hrefWriteDoesNotChangeAddress()
{
    UserControl1 t;
    t.setCaption(QStringLiteral("一,u1"));
    t.setHref(QStringLiteral("other"));
    QCOMPARE(t.href(), QStringLiteral("u1"));
}

void TestTicker::clickIsRaised()
{
    UserControl1 t;
    t.resize(300, 22);
    t.setCaption(QStringLiteral("一,u1"));
    t.show();
    QSignalSpy clicks(&t, &UserControl1::Click);
    QTest::mouseClick(&t, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.size(), 1);
}

void TestTicker::realTimersAdvance()
{
    UserControl1 t;
    t.setCaption(QStringLiteral("一,u1;二,u2"));
    // One hold of 3 s, then at most ~72 steps of 10 ms (slower timers only slow it down).
    QTRY_COMPARE_WITH_TIMEOUT(t.href(), QStringLiteral("u2"), 15000);
}

MORVANE_GUI_TEST_MAIN(TestTicker)
#include "tst_ticker.moc"
