// The collection engine: one page of the page list per timer tick. Each tick fetches the page,
// cuts title and body between the rule's markers, optionally strips the body's HTML, runs the
// optional keyword-link and rewriting steps, stores the article and reports through log lines.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class ArticleStore;
class HttpClient;
class HttpHandler;
class SoundPlayer;

// What the engine reads at the moment each step needs it (the rule page's boxes and the
// collection page's options), so that changes made during a run apply from the next page.
struct CollectOptions
{
    QString titleStart;
    QString titleEnd;
    QString contentStart;
    QString contentEnd;
    bool stripHtml = false;
    bool seo = false;
    bool wyc = false;
    bool sound = false;
};

class CollectionEngine : public QObject
{
    Q_OBJECT
public:
    // A post-processing step rewrites the article text in place.
    using Step = std::function<void(QString &article)>;

    CollectionEngine(HttpClient &http, ArticleStore &store, SoundPlayer &sound,
                     const QString &soundFile, QObject *parent = nullptr);

    void setOptionsSource(std::function<CollectOptions()> source) { m_options = std::move(source); }
    void setSeoStep(Step step) { m_seo = std::move(step); }
    void setWycStep(Step step) { m_wyc = std::move(step); }

    // A new page list (an import): the position goes back before the first entry.
    void setPages(const QStringList &pages);
    const QStringList &pages() const { return m_pages; }
    // Index of the entry last taken, -1 before the first.
    int position() const { return m_position; }

    // The period of an interval in seconds, in whole milliseconds from 1 to 65535; nothing for a
    // text that is not such a number.
    static std::optional<int> periodFor(const QString &intervalSeconds);
    static QString badIntervalMessage();

    // Starts (or resumes) a run: clears the log, writes the start line, starts the timer. False
    // with nothing changed when the interval gives no valid period.
    bool start(const QString &intervalSeconds);
    // The same with the period given in milliseconds (1 to 65535).
    bool startWithPeriod(int milliseconds);
    // Stops the timer; a tick in progress still completes, and no further tick runs.
    void stop();
    bool isRunning() const { return m_timer.isActive(); }
    bool tickInProgress() const { return m_inTick; }
    int period() const { return m_timer.interval(); }

    // One tick (the timer calls it; tests may too). Does nothing while another is in progress.
    void tick();

    // The texts of the page being harvested.
    QString TxtCache() const { return m_cache; }
    QString TxtTittle() const { return m_title; }
    QString TxtArticle() const { return m_article; }

    // The log lines the engine writes.
    static QString startedLine();
    static QString stoppedLine();
    static QString endLine();

signals:
    void clearLog();
    void log(const QString &message);
    void articleStored(const QString &title);
    void saveFailed(const QString &title, const QString &error);
    void runEnded();
    void tickFinished();

private:
    void onPage(const QString &html);
    void endRun();
    void finishTick();

    HttpClient &m_http;
    ArticleStore &m_store;
    SoundPlayer &m_sound;
    QString m_soundFile;
    std::function<CollectOptions()> m_options;
    Step m_seo;
    Step m_wyc;
    QTimer m_timer;
    QStringList m_pages;
    int m_position = -1;
    bool m_inTick = false;
    bool m_stopPressed = false;
    QPointer<HttpHandler> m_fetch;
    QString m_cache;
    QString m_title;
    QString m_article;
};
