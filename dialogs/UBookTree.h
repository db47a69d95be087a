#pragma once
// The two-level book tree of the selection and import dialogs: class nodes on
// the top level (no data), book nodes below them carrying the book's id as
// item data. Qt owns the item data, so the tree needs no separate clean-up
// when it is cleared or destroyed.

class QTreeWidget;
class QTreeWidgetItem;
class TDataInterface;

// Clears the tree and fills it: class 8 first when withWordBook is set, then
// classes 1 to 7. A class with no listed book is left out; a class whose listed
// books all have no words keeps an empty class node. Throws EDatabaseError.
void BuildBookTree(TDataInterface &data, QTreeWidget &tree, bool withWordBook);
void AddBookClassNode(TDataInterface &data, QTreeWidget &tree, int bookClass);

// The book id a node carries; -1 for a class node or no node.
int BookIdOfNode(const QTreeWidgetItem *item);
