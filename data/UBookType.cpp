#include "UBookType.h"

#include "UDataInterface.h"

#include <QTreeWidget>

namespace {
constexpr int kBookIdRole = Qt::UserRole;
}

QString BookClassCaption(int bookClass)
{
    switch (bookClass) {
    case 1: return QStringLiteral("小学英语");
    case 2: return QStringLiteral("中学英语");
    case 3: return QStringLiteral("大学英语");
    case 4: return QStringLiteral("研究生英语");
    case 5: return QStringLiteral("成人教育");
    case 6: return QStringLiteral("出国留学");
    case 7: return QStringLiteral("其它英语");
    case 8: return QStringLiteral("生词本");
    default: return {};
    }
}

QStringList ImportBookClasses()
{
    QStringList classes;
    for (int bookClass = kFirstBookClass; bookClass <= kLastImportClass; ++bookClass)
        classes.append(BookClassCaption(bookClass));
    return classes;
}

void BuildBookTree(TDataInterface &data, QTreeWidget &tree, bool withWordBook)
{
    tree.clear();
    if (withWordBook)
        AddBookClassNode(data, tree, kWordBookClass);
    for (int bookClass = kFirstBookClass; bookClass <= kLastImportClass; ++bookClass)
        AddBookClassNode(data, tree, bookClass);
}

void AddBookClassNode(TDataInterface &data, QTreeWidget &tree, int bookClass)
{
    const QList<TBookInfo> books = data.GetListedBooks(bookClass);
    if (books.isEmpty())
        return;
    auto *classNode = new QTreeWidgetItem(&tree, QStringList(BookClassCaption(bookClass)));
    QList<QTreeWidgetItem *> children;
    for (const TBookInfo &book : books) {
        if (book.WordNumber <= 0)
            continue;
        auto *node = new QTreeWidgetItem(QStringList(book.BookName));
        node->setData(0, kBookIdRole, book.Id);
        children.append(node);
    }
    // One insertion instead of one per book keeps a large catalogue quick.
    classNode->addChildren(children);
}

int BookIdOfNode(const QTreeWidgetItem *item)
{
    if (!item)
        return -1;
    const QVariant id = item->data(0, kBookIdRole);
    return id.isValid() ? id.toInt() : -1;
}
