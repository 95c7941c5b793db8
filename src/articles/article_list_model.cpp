// The article list as a lazily read table model.
#include "articles/article_list_model.h"

#include "articles/article_store.h"
#include "common/program_dir.h"
#include "common/sqlite_connection.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

constexpr int MaxCachedPages = 64;

} // namespace

ArticleListModel::ArticleListModel(const QString &programDir, QObject *parent)
    : QAbstractTableModel(parent), m_programDir(programDir)
{
}

bool ArticleListModel::reload()
{
    beginResetModel();
    m_pages.clear();
    m_pageOrder.clear();
    ArticleStore store(m_programDir);
    bool ok = false;
    m_ids = store.idsOldestFirst(&ok);
    m_error = ok ? QString() : store.errorText();
    endResetModel();
    return ok;
}

QString ArticleListModel::idTextAt(int row) const
{
    return row >= 0 && row < m_ids.size() ? ArticleStore::idText(m_ids.at(row)) : QString();
}

QString ArticleListModel::titleAt(int row) const
{
    if (row < 0 || row >= m_ids.size())
        return QString();
    const QStringList &titles = page(row / PageSize);
    return titles.value(row % PageSize);
}

const QStringList &ArticleListModel::page(int pageIndex) const
{
    auto it = m_pages.constFind(pageIndex);
    if (it != m_pages.constEnd())
        return *it;
    // Titles of the page's ids, in one range query; a row deleted meanwhile shows no title.
    const int first = pageIndex * PageSize;
    const int last = qMin(first + PageSize, int(m_ids.size())) - 1;
    QStringList titles;
    titles.reserve(last - first + 1);
    ArticleStore store(m_programDir);
    const QHash<qint64, QString> found = store.titlesBetween(m_ids.at(first), m_ids.at(last));
    for (int row = first; row <= last; ++row)
        titles << found.value(m_ids.at(row));
    if (m_pageOrder.size() >= MaxCachedPages)
        m_pages.remove(m_pageOrder.takeFirst());
    m_pageOrder.append(pageIndex);
    return *m_pages.insert(pageIndex, titles);
}

int ArticleListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
}

int ArticleListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ArticleListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    return index.column() == 0 ? idTextAt(index.row()) : titleAt(index.row());
}

QVariant ArticleListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return section == 0 ? QStringLiteral("ID") : QStringLiteral("标题");
}
