// The article list as a table model (columns "ID" and "标题") that reads rows from the store
// lazily: the ids are read once per load, titles a page at a time as the view asks for them, so
// that a store of a million articles opens at once and scrolls smoothly.
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class ArticleListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ArticleListModel(const QString &programDir, QObject *parent = nullptr);

    // Reads the ids again (LoadArticleList); false when the store could not be read (the list
    // is then empty).
    bool reload();
    QString errorText() const { return m_error; }

    qint64 idAt(int row) const { return m_ids.value(row, -1); }
    // The row's first column: the id text (" 12").
    QString idTextAt(int row) const;
    QString titleAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static constexpr int PageSize = 256;

private:
    const QStringList &page(int pageIndex) const;

    QString m_programDir;
    QString m_error;
    QList<qint64> m_ids; // insertion order
    mutable QHash<int, QStringList> m_pages; // page index -> titles
    mutable QList<int> m_pageOrder;          // least recently loaded first
};
