// FrmMain: the main window. Three pages in one rectangle (home, collection, rule), the navigation
// buttons, the menu bar, the log pane, the launchers of the sibling programs and the ticker.
#pragma once

#include "rewriting/synonym_dict.h"
#include "rewriting/synonym_pass.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

struct AppContext;
class ArticleStore;
class CollectPage;
class CollectionEngine;
class FrmArticleData;
class FrmEditDic;
class QProgressBar;
class Inet;
class RulePage;
class LinkLabel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class UserControl1;
class WebBrowser;

class FrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit FrmMain(AppContext &context, QWidget *parent = nullptr);
    ~FrmMain() override;

    static QString windowTitleFor(const QString &vendorSite);

    // The load handler. False when the dictionary is missing: the user has been told and the
    // program ends. Otherwise the ticker text is requested and loaded() follows once it is in.
    bool load();

    void ShowHomePage();
    void ShowCollectPage();
    void ShowRulePage();

    // Appends "HH:mm - message" to the log pane; the pane is emptied every 2001 lines.
    void WriteLog(const QString &message);

    // Fetches the ticker items from the vendor's site (with a time limit) and shows them.
    void LoadTickerText();

    // Posts form data through InetLiu unless it is busy; the reply arrives through InetLiu's
    // state changes. Always the empty text.
    QString PostForm(const QString &url, const QByteArray &data, const QString &referer);
    // Calls done once InetLiu is idle.
    void Wait(std::function<void()> done);

    // Imports a rule file chosen in the file dialog and builds the page list (Labelinsert).
    void importRule();
    // ButtonStart: starts the run, or says why it cannot start.
    void startCollecting();

    // Chkdl: the shuffle switch enables or disables (and clears) the two shuffle options.
    void Chkdl_Click();
    // tDictmana: the dictionary editor, one window at a time, without blocking.
    void openDictionaryEditor();
    // Button5: the article manager, one window at a time, without blocking.
    void openArticleManager();

    const SynonymTable &synonyms() const { return m_synonyms; }
    const SynonymPass &synonymPass() const { return m_synonymPass; }
    CollectionEngine *engine() const { return m_engine; }
    CollectPage *collectPage() const { return m_collectPage; }
    RulePage *rulePage() const { return m_rulePage; }
    // The page list: one address per entry, in the order generated.
    QStringList List1() const;
    Inet *InetLiu() const { return m_inetLiu; }
    AppContext &context() const { return m_context; }

    // The rectangle of the pages, in pixels (left 120, top 1320, width 13095, height 6375 twips).
    static QRect pageRect();

signals:
    // The load handler has ended (the ticker request is over); start-up shows the window now.
    void loaded();

private:
    void buildMenus();
    void buildPages();
    void openVendorSite(const QString &query);
    void openLinkExchange();
    void showPage(QGroupBox *page);
    void wireCollection();
    template <class Dialog, class... Args> void openModal(Args &&...args);

    AppContext &m_context;
    SynonymTable m_synonyms;
    SynonymPass m_synonymPass;
    QPointer<FrmEditDic> m_editDic;
    QPointer<FrmArticleData> m_articleData;
    QProgressBar *m_progressBar1 = nullptr; // off-screen: the rewriting's progress
    Inet *m_inetLiu;
    qint16 m_logLines = 0;

    QGroupBox *m_frame1 = nullptr;
    CollectPage *m_collectPage = nullptr;
    RulePage *m_rulePage = nullptr;
    std::unique_ptr<ArticleStore> m_store;
    CollectionEngine *m_engine = nullptr;
    WebBrowser *m_webindex = nullptr;
    QLabel *m_labelSite = nullptr;
    UserControl1 *m_ticker = nullptr;
};
