// The collection engine.
#include "collector/collection_engine.h"

#include "articles/article_store.h"
#include "common/http.h"
#include "common/seams.h"
#include "common/text.h"

#include <QLocale>

#include <cmath>

CollectionEngine::CollectionEngine(HttpClient &http, ArticleStore &store, SoundPlayer &sound,
                                   const QString &soundFile, QObject *parent)
    : QObject(parent), m_http(http), m_store(store), m_sound(sound), m_soundFile(soundFile),
      m_options([] { return CollectOptions(); })
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CollectionEngine::tick);
}

QString CollectionEngine::startedLine()
{
    return QStringLiteral("工作引擎已经启动...");
}

QString CollectionEngine::stoppedLine()
{
    return QStringLiteral("工作引擎已经停止...");
}

QString CollectionEngine::endLine()
{
    return QStringLiteral("★★★★★以上采集程序的工作日志到此结束★★★★★");
}

QString CollectionEngine::badIntervalMessage()
{
    return QStringLiteral("文章采集间隔必须是 0.001 到 65.535 之间的秒数，请修改后再开始采集！");
}

void CollectionEngine::setPages(const QStringList &pages)
{
    m_pages = pages;
    m_position = -1;
}

std::optional<int> CollectionEngine::periodFor(const QString &intervalSeconds)
{
    QString t = intervalSeconds.trimmed();
    if (t.startsWith(u'+'))
        t.remove(0, 1);
    bool ok = false;
    const double seconds = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(seconds))
        return std::nullopt;
    const double ms = std::round(seconds * 1000.0);
    if (ms < 1 || ms > 65535)
        return std::nullopt;
    return int(ms);
}

bool CollectionEngine::start(const QString &intervalSeconds)
{
    const std::optional<int> period = periodFor(intervalSeconds);
    return period && startWithPeriod(*period);
}

bool CollectionEngine::startWithPeriod(int milliseconds)
{
    if (milliseconds < 1 || milliseconds > 65535)
        return false;
    m_stopPressed = false;
    m_timer.start(milliseconds);
    emit clearLog();
    emit log(startedLine());
    return true;
}

void CollectionEngine::stop()
{
    m_timer.stop();
    if (m_inTick)
        m_stopPressed = true;
    emit log(stoppedLine());
}

void CollectionEngine::tick()
{
    if (m_inTick)
        return;
    m_inTick = true;
    if (m_position + 1 >= m_pages.size()) {
        endRun();
        finishTick();
        return;
    }
    ++m_position;
    m_fetch = GetHtml(m_http, m_pages.at(m_position), this,
                      [this](const QString &html) { onPage(html); });
}

void CollectionEngine::onPage(const QString &html)
{
    m_cache = html;
    CollectOptions options = m_options();
    m_title = CutBetween(m_cache, options.titleStart, options.titleEnd);
    QString body = CutBetween(m_cache, options.contentStart, options.contentEnd);
    if (options.stripHtml)
        body = StripTags(body);
    m_article = body;
    if (!m_title.isEmpty() && !m_article.isEmpty()) {
        emit log(QStringLiteral("成功采集到文章     ") + m_title);
        // The steps run with the timer stopped and start it again when they end, so that the
        // next page comes one period after them.
        options = m_options();
        if (options.seo && m_seo) {
            m_timer.stop();
            m_seo(m_article);
            m_timer.start();
        }
        options = m_options();
        if (options.wyc && m_wyc) {
            m_timer.stop();
            m_wyc(m_article);
            m_timer.start();
        }
        if (m_store.SaveArticle(m_title, m_article)) {
            emit articleStored(m_title);
        } else {
            const QString error = m_store.errorText();
            emit log(QStringLiteral("文章保存失败：") + m_title + QStringLiteral("（") + error
                     + QStringLiteral("）"));
            emit saveFailed(m_title, error);
        }
    }
    if (m_position >= m_pages.size() - 1)
        endRun();
    else if (m_stopPressed)
        m_timer.stop();
    finishTick();
}

void CollectionEngine::endRun()
{
    m_timer.stop();
    if (m_options().sound)
        m_sound.play(m_soundFile);
    emit log(endLine());
    emit runEnded();
}

void CollectionEngine::finishTick()
{
    m_inTick = false;
    m_stopPressed = false;
    emit tickFinished();
}
