#include "UBookTree.h"

#include "UBookType.h"
#include "UDataInterface.h"

#include <QTreeWidget>

namespace {
constexpr int kBookIdRole = Qt::UserRole;
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
