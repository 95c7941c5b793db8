// WebBrowser: the embedded web view. It loads pages, reports when a document is complete, lists
// the links of the loaded document and reads and writes the editable body of the editing page
// (the body of the document's first frame). Script calls are asynchronous: callers get a callback.
#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class HttpClient;
class QWebEngineView;

class WebBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit WebBrowser(QWidget *parent = nullptr);

    // Starts loading a web address or the full path of a local file, and returns at once.
    void Navigate(const QString &address);
    // 4 once the page has finished loading, 0 before any page, 1 while loading.
    int ReadyState() const { return m_readyState; }
    bool Busy() const { return m_busy; }
    // The address of the page shown; empty before any page.
    QString LocationURL() const;

    // Every anchor of the loaded document, in document order, as its absolute href.
    void links(std::function<void(const QStringList &)> done) const;
    // The inner HTML of the first frame's body; ok is false when the page has no such frame.
    void readEditableBody(std::function<void(bool ok, const QString &html)> done) const;
    void writeEditableBody(const QString &html, std::function<void(bool ok)> done = {});

    QWebEngineView *view() const { return m_view; }

signals:
    // Raised once a document has finished loading; ok is false for a page that failed.
    void DocumentComplete(const QString &url, bool ok);

private:
    QWebEngineView *m_view;
    int m_readyState = 0;
    bool m_busy = false;
};

// Clears the cookies of the client's jar and of the web engine's default profile.
void ClearCookies(HttpClient &http);
