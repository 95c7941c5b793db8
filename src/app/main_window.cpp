// FrmMain: the main window.
#include "app/main_window.h"

#include "app/app_context.h"
#include "app/frm_about.h"
#include "app/frm_friend.h"
#include "app/frm_tool.h"
#include "app/sibling_launcher.h"
#include "common/codec.h"
#include "common/http.h"
#include "common/inet.h"
#include "common/program_dir.h"
#include "common/settings.h"
#include "common/web_browser.h"
#include "articles/article_store.h"
#include "articles/frm_article_data.h"
#include "collector/collect_page.h"
#include "collector/collection_rule.h"
#include "collector/collection_engine.h"
#include "collector/rule_page.h"
#include "common/text.h"
#include "controls/link_label.h"
#include "rewriting/frm_edit_dic.h"
#include "rewriting/frm_seo.h"
#include "rewriting/rewrite_steps.h"
#include "controls/ticker.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QDir>
#include <QVBoxLayout>

namespace {

// Twips to pixels at 96 dots per inch.
constexpr int px(int twips)
{
    return twips / 15;
}

} // namespace

FrmMain::FrmMain(AppContext &context, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_inetLiu(new Inet(*context.http, this))
{
    setObjectName(QStringLiteral("FrmMain"));
    m_inetLiu->setObjectName(QStringLiteral("InetLiu"));
    setWindowTitle(windowTitleFor(context.hosts.base(QString::fromLatin1(ServiceHosts::Vendor))));
    setAttribute(Qt::WA_QuitOnClose);
    buildMenus();
    buildPages();
    setFixedSize(px(13095 + 240), px(1320 + 6375 + 240) + menuBar()->sizeHint().height());
}

FrmMain::~FrmMain() = default;

void FrmMain::wireCollection()
{
    m_store = std::make_unique<ArticleStore>(m_context.programDir);
    m_engine = new CollectionEngine(*m_context.http, *m_store, *m_context.seams.sound,
                                    ProgramDir::file(m_context.programDir,
                                                     QStringLiteral("data/complete.wav")),
                                    this);
    // The markers and options are read when each step needs them.
    m_engine->setOptionsSource([this] {
        CollectOptions o;
        o.titleStart = m_rulePage->TxtTittle1->text();
        o.titleEnd = m_rulePage->TxtTittle2->text();
        o.contentStart = m_rulePage->TxtContent1->text();
        o.contentEnd = m_rulePage->TxtContent2->text();
        o.stripHtml = m_collectPage->Chkhtml->isChecked();
        o.seo = m_collectPage->ChkSeo->isChecked();
        o.wyc = m_collectPage->ChkWyc->isChecked();
        o.sound = m_collectPage->Chktx->isChecked();
        return o;
    });
    connect(m_engine, &CollectionEngine::clearLog, m_collectPage->TxtLog, &QPlainTextEdit::clear);
    connect(m_engine, &CollectionEngine::log, this, &FrmMain::WriteLog);
    connect(m_collectPage->ButtonStart, &QPushButton::clicked, this, &FrmMain::startCollecting);
    connect(m_collectPage->ButtonStop, &QPushButton::clicked, m_engine, &CollectionEngine::stop);
    connect(m_collectPage->Labelinsert, &LinkLabel::clicked, this, &FrmMain::importRule);
    connect(m_collectPage->ChkSeo, &QCheckBox::clicked, this,
            [this] { openModal<FrmSEO>(m_context); });
    connect(m_collectPage->Chkdl, &QCheckBox::clicked, this, &FrmMain::Chkdl_Click);

    m_progressBar1 = new QProgressBar(this);
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar1->setGeometry(-1000, -1000, 100, 10); // in the off-screen work area
    const LogSink log = [this](const QString &m) { WriteLog(m); };
    m_engine->setSeoStep(makeSeoStep(m_context.programDir, log));
    m_engine->setWycStep(makeWycStep(
        m_synonymPass, *m_context.seams.random,
        [this] {
            if (m_collectPage->Optdl->isChecked())
                return SplitMode::Paragraph;
            if (m_collectPage->Optjz->isChecked())
                return SplitMode::Sentence;
            return SplitMode::None;
        },
        log,
        RewriteProgress{[this](int max) { m_progressBar1->setMaximum(max); },
                        [this](int value) { m_progressBar1->setValue(value); }}));

    connect(m_collectPage->Labelhtml1, &LinkLabel::clicked, this, [this] {
        m_context.seams.browser->openUrl(m_context.hosts.url(
            QString::fromLatin1(ServiceHosts::Vendor), QStringLiteral("/redirect.php?from=html")));
    });
}

void FrmMain::Chkdl_Click()
{
    m_context.seams.messages->show(MessageIcon::Information, QStringLiteral("温馨提示"),
                                   QStringLiteral("使用本功能时，请确保您已经选择了文章伪原创选项"));
    const bool on = m_collectPage->Chkdl->isChecked();
    for (QRadioButton *option : {m_collectPage->Optdl, m_collectPage->Optjz}) {
        option->setEnabled(on);
        if (!on) {
            // Radio buttons of one group cannot all be cleared while exclusive.
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
    }
}

void FrmMain::openDictionaryEditor()
{
    if (!m_editDic) {
        m_editDic = new FrmEditDic(m_context, this);
        m_editDic->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_editDic->show();
    m_editDic->raise();
    m_editDic->activateWindow();
}

void FrmMain::openArticleManager()
{
    if (!m_articleData) {
        m_articleData = new FrmArticleData(m_context, this);
        m_articleData->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_articleData->show();
    m_articleData->raise();
    m_articleData->activateWindow();
}

QStringList FrmMain::List1() const
{
    return m_engine->pages();
}

void FrmMain::importRule()
{
    const QString path = m_context.seams.dialogs->openFile(
        QStringLiteral("文章采集规则文件"), QStringLiteral("载入规则文件 (*.Rule)"),
        m_context.programDir);
    if (!path.isEmpty()) {
        CollectionRule rule = Rules::read(path);
        QString name = GetFileName(path);
        const qsizetype ext = name.indexOf(QStringLiteral(".Rule"));
        if (ext >= 0)
            name.remove(ext, 5);
        rule.RuleName = name;
        m_rulePage->setRule(rule);
    }
    m_engine->setPages({});
    m_collectPage->Labelgz->setText(path.isEmpty() ? QString() : QFileInfo(path).fileName());
    const CollectionRule rule = m_rulePage->rule();
    qint64 count = 0;
    const std::optional<QStringList> pages =
        Rules::pageList(rule.UrlPattern, rule.NumStart, rule.NumEnd, &count);
    if (!pages) {
        m_context.seams.messages->show(MessageIcon::Error, QStringLiteral("提示"),
                                       Rules::tooManyPagesMessage(count));
        return;
    }
    m_engine->setPages(*pages);
}

void FrmMain::startCollecting()
{
    if (m_collectPage->Labelgz->text() == CollectPage::noRuleText()) {
        m_context.seams.messages->show(MessageIcon::Error, QStringLiteral("错误"),
                                       QStringLiteral("您未载入任何规则文件！"));
        return;
    }
    if (!m_engine->start(m_rulePage->TxtInterval->text()))
        m_context.seams.messages->show(MessageIcon::Error, QStringLiteral("提示"),
                                       CollectionEngine::badIntervalMessage());
}

QString FrmMain::windowTitleFor(const QString &vendorSite)
{
    return QStringLiteral("Morvane2012 Beta1  永久免费          为站长省事省力！     ") + vendorSite;
}

QRect FrmMain::pageRect()
{
    return QRect(px(120), px(1320), px(13095), px(6375));
}

void FrmMain::buildMenus()
{
    Seams &seams = m_context.seams;
    const QString dir = m_context.programDir;
    const auto add = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenu *tool = menuBar()->addMenu(QStringLiteral("实用工具"));
    tool->setObjectName(QStringLiteral("tTool"));
    // Query windows, the spider log and the dictionary editor arrive with their own subsystems.
    add(tool, "tShoulu", QStringLiteral("网站收录查询"));
    add(tool, "twhois", QStringLiteral("域名Whois查询"));
    add(tool, "tpr", QStringLiteral("PR值查询"));
    add(tool, "talexa", QStringLiteral("Alexa排名查询"));
    connect(add(tool, "otool", QStringLiteral("其他工具")), &QAction::triggered, this,
            [this] { openModal<FrmTool>(); });
    connect(add(tool, "tPlugin", QStringLiteral("内容发布程式")), &QAction::triggered, this,
            [&seams, dir] {
                launchSibling(Sibling::RelayPub, dir, *seams.launcher, *seams.messages);
            });
    connect(add(tool, "mastereditor", QStringLiteral("站长编辑器")), &QAction::triggered, this,
            [&seams, dir] {
                launchSibling(Sibling::Editor, dir, *seams.launcher, *seams.messages);
            });
    add(tool, "tspider", QStringLiteral("蜘蛛爬行日志"));
    connect(add(tool, "webspider", QStringLiteral("网站漫游")), &QAction::triggered, this,
            [&seams] {
                seams.messages->show(MessageIcon::Information, QStringLiteral("提示"),
                                     QStringLiteral("下个版本推出！"));
            });
    connect(add(tool, "tDictmana", QStringLiteral("伪原创词库管理")), &QAction::triggered, this,
            &FrmMain::openDictionaryEditor);
    connect(add(tool, "Weblink", QStringLiteral("友情链接交换平台")), &QAction::triggered, this,
            [this] { openModal<FrmFriend>(m_context); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助"));
    help->setObjectName(QStringLiteral("thelp"));
    connect(add(help, "tweb", QStringLiteral("官方网站")), &QAction::triggered, this,
            [this] { openVendorSite(QStringLiteral("mainbutton")); });
    connect(add(help, "tweblink", QStringLiteral("友情链接交换平台")), &QAction::triggered, this,
            [this] { openLinkExchange(); });
    connect(add(help, "tbjupdate", QStringLiteral("在线升级")), &QAction::triggered, this,
            [&seams, dir] {
                launchSibling(Sibling::Update, dir, *seams.launcher, *seams.messages);
            });
    connect(add(help, "tabout", QStringLiteral("关于")), &QAction::triggered, this,
            [this] { openModal<FrmAbout>(m_context); });
}

void FrmMain::buildPages()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);

    const auto button = [central](const char *name, const QString &caption, int x) {
        auto *b = new QPushButton(caption, central);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, 8, 100, 40);
        return b;
    };
    QPushButton *button1 = button("Button1", QStringLiteral("首页"), 8);
    QPushButton *button2 = button("Button2", QStringLiteral("采集任务"), 112);
    QPushButton *button3 = button("Button3", QStringLiteral("采集规则"), 216);
    button("Button4", QStringLiteral("关键词采集"), 320);
    QPushButton *button5 = button("Button5", QStringLiteral("内容管理"), 424);
    button("Button6", QStringLiteral("关键词工具"), 528);
    QPushButton *button7 = button("Button7", QStringLiteral("官方网站"), 632);
    connect(button1, &QPushButton::clicked, this, &FrmMain::ShowHomePage);
    connect(button2, &QPushButton::clicked, this, &FrmMain::ShowCollectPage);
    connect(button3, &QPushButton::clicked, this, &FrmMain::ShowRulePage);
    connect(button5, &QPushButton::clicked, this, &FrmMain::openArticleManager);
    connect(button7, &QPushButton::clicked, this,
            [this] { openVendorSite(QStringLiteral("mainbutton")); });

    auto *label1 = new LinkLabel(QStringLiteral("Morvane官方网站"), central);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(750, 8, 130, 20);
    connect(label1, &LinkLabel::clicked, this,
            [this] { openVendorSite(QStringLiteral("mainbutton")); });
    auto *labellink = new LinkLabel(QStringLiteral("友情链接交换平台"), central);
    labellink->setObjectName(QStringLiteral("Labellink"));
    labellink->setGeometry(750, 30, 130, 20);
    connect(labellink, &LinkLabel::clicked, this, &FrmMain::openLinkExchange);

    m_ticker = new UserControl1(central);
    m_ticker->setObjectName(QStringLiteral("UserControl11"));
    m_ticker->setGeometry(8, 56, 560, 22);
    m_ticker->setVisible(false); // shown once its text has arrived
    connect(m_ticker, &UserControl1::Click, this,
            [this] { m_context.seams.browser->openUrl(m_ticker->href()); });

    const QRect rect = pageRect();
    const auto frame = [central, rect](const char *name, const QString &caption) {
        auto *f = new QGroupBox(caption, central);
        f->setObjectName(QString::fromLatin1(name));
        f->setGeometry(rect);
        return f;
    };

    // Home page: the vendor's information page and the traffic monitor's labels.
    m_frame1 = frame("Frame1", QStringLiteral("首页"));
    m_webindex = new WebBrowser(m_frame1);
    m_webindex->setObjectName(QStringLiteral("Webindex"));
    m_webindex->setGeometry(8, 20, rect.width() - 16, rect.height() - 60);
    m_labelSite = new QLabel(QStringLiteral("站点名："), m_frame1);
    m_labelSite->setObjectName(QStringLiteral("LabelSite"));
    m_labelSite->setGeometry(8, rect.height() - 32, 400, 22);
    auto *labelSet = new LinkLabel(QStringLiteral("参数配置"), m_frame1);
    labelSet->setObjectName(QStringLiteral("LabelSet"));
    labelSet->setGeometry(rect.width() - 90, rect.height() - 32, 80, 22);

    m_collectPage = new CollectPage(central);
    m_collectPage->setGeometry(rect);
    m_rulePage = new RulePage(m_context, central);
    m_rulePage->setGeometry(rect);
    wireCollection();

    m_collectPage->hide();
    m_rulePage->hide();
}

bool FrmMain::load()
{
    ShowHomePage();
    m_rulePage->TxtPath->setText(QDir::toNativeSeparators(Rules::folder(m_context.programDir)));
    std::optional<SynonymTable> table = LoadSynonymDict(m_context.programDir,
                                                        *m_context.seams.messages);
    if (!table)
        return false;
    m_synonyms = std::move(*table);
    m_synonymPass = SynonymPass(m_synonyms);
    m_webindex->Navigate(m_context.hosts.url(QString::fromLatin1(ServiceHosts::Vendor),
                                             QStringLiteral("/software/collector/info.html")));
    m_labelSite->setText(QStringLiteral("站点名：")
                         + SettingsFile(m_context.programDir)
                               .ReadSetting(QStringLiteral("TJName"), QString()));
    LoadTickerText();
    return true;
}

void FrmMain::LoadTickerText()
{
    const QString url = m_context.hosts.url(QString::fromLatin1(ServiceHosts::Vendor),
                                            QStringLiteral("/software/wyc/info.txt"));
    GetHtml(
        *m_context.http, url, this,
        [this](const QString &text) {
            m_ticker->setVisible(true);
            m_ticker->setCaption(text);
            emit loaded();
        },
        m_context.tickerTimeoutMs);
}

void FrmMain::showPage(QGroupBox *page)
{
    for (QGroupBox *f : {m_frame1, static_cast<QGroupBox *>(m_collectPage),
                         static_cast<QGroupBox *>(m_rulePage)})
        f->setVisible(f == page);
    page->setGeometry(pageRect());
}

void FrmMain::ShowHomePage()
{
    showPage(m_frame1);
}

void FrmMain::ShowCollectPage()
{
    showPage(m_collectPage);
}

void FrmMain::ShowRulePage()
{
    showPage(m_rulePage);
}

void FrmMain::WriteLog(const QString &message)
{
    m_logLines = qint16(m_logLines + 1);
    if (m_logLines > 2000) {
        m_logLines = 0;
        m_collectPage->TxtLog->clear();
    }
    QPlainTextEdit *txtLog = m_collectPage->TxtLog;
    QTextCursor cursor = txtLog->textCursor();
    cursor.movePosition(QTextCursor::End);
    txtLog->setTextCursor(cursor);
    // The pane shows LF line ends; the line itself ends with CR LF inside the system.
    txtLog->insertPlainText(m_context.clock().toString(QStringLiteral("HH:mm"))
                              + QStringLiteral(" - ") + Codec::toLf(message) + QStringLiteral("\n"));
    txtLog->verticalScrollBar()->setValue(txtLog->verticalScrollBar()->maximum());
}

QString FrmMain::PostForm(const QString &url, const QByteArray &data, const QString &referer)
{
    if (m_inetLiu->StillExecuting())
        return QString();
    if (!m_inetLiu->Execute(url, QStringLiteral("post"), data, FormPostHeaders(referer))) {
        m_context.seams.messages->show(MessageIcon::None, QString(), m_inetLiu->errorText());
        return QString();
    }
    return QString();
}

void FrmMain::Wait(std::function<void()> done)
{
    m_inetLiu->whenIdle(this, std::move(done));
}

void FrmMain::openVendorSite(const QString &query)
{
    m_context.seams.browser->openUrl(
        m_context.hosts.url(QString::fromLatin1(ServiceHosts::Vendor), QStringLiteral("/?") + query));
}

void FrmMain::openLinkExchange()
{
    m_context.seams.browser->openUrl(m_context.hosts.url(
        QString::fromLatin1(ServiceHosts::LinkExchange), QStringLiteral("/?mainbutton")));
}

template <class Dialog, class... Args> void FrmMain::openModal(Args &&...args)
{
    // Modal without a nested event loop: the dialog blocks input to this window until closed.
    auto *dialog = new Dialog(std::forward<Args>(args)..., this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->open();
}
