#include "UFrmSelectBook.h"

#include "UBookTree.h"
#include "UBookType.h"
#include "UDataInterface.h"
#include "UErrorMessages.h"
#include "UMessageBox.h"

#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QShowEvent>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

TFrmSelectBook::TFrmSelectBook(TDataInterface &data, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_data(data)
{
    setWindowTitle(QStringLiteral("选择课本"));
    setFixedSize(572, 455);

    auto *gbBooks = new QGroupBox(QStringLiteral("课本信息"), this);
    gbBooks->setObjectName(QStringLiteral("gbBooks"));
    gbBooks->setGeometry(8, 8, 321, 345);
    m_tvLibList = new QTreeWidget(gbBooks);
    m_tvLibList->setObjectName(QStringLiteral("tvLibList"));
    m_tvLibList->setHeaderHidden(true);
    m_tvLibList->setColumnCount(1);
    QFont treeFont(QStringLiteral("宋体"));
    treeFont.setPixelSize(12);
    m_tvLibList->setFont(treeFont);
    auto *treeLayout = new QVBoxLayout(gbBooks);
    treeLayout->addWidget(m_tvLibList);

    auto *gbBookInfo = new QGroupBox(QStringLiteral("课本信息"), this);
    gbBookInfo->setObjectName(QStringLiteral("gbBookInfo"));
    gbBookInfo->setGeometry(339, 8, 217, 345);
    auto *infoLayout = new QVBoxLayout(gbBookInfo);
    infoLayout->addWidget(new QLabel(QStringLiteral("课本名称"), gbBookInfo));
    m_ediBookName = new QLineEdit(gbBookInfo);
    m_ediBookName->setObjectName(QStringLiteral("ediBookName"));
    m_ediBookName->setReadOnly(true);
    infoLayout->addWidget(m_ediBookName);
    m_labCount = new QLabel(QStringLiteral("单词数"), gbBookInfo);
    m_labCount->setObjectName(QStringLiteral("labCount"));
    infoLayout->addWidget(m_labCount);
    m_ediWordCount = new QLineEdit(gbBookInfo);
    m_ediWordCount->setObjectName(QStringLiteral("ediWordCount"));
    m_ediWordCount->setReadOnly(true);
    infoLayout->addWidget(m_ediWordCount);
    infoLayout->addStretch();

    auto *bvlButtons = new QFrame(this);
    bvlButtons->setObjectName(QStringLiteral("bvlButtons"));
    bvlButtons->setFrameShape(QFrame::HLine);
    bvlButtons->setFrameShadow(QFrame::Sunken);
    bvlButtons->setGeometry(8, 366, 548, 4);

    m_btnSelect = new QPushButton(QStringLiteral("确定"), this);
    m_btnSelect->setObjectName(QStringLiteral("btnSelect"));
    m_btnSelect->setGeometry(372, 390, 85, 28);
    m_btnSelect->setDefault(true);
    m_btnClose = new QPushButton(QStringLiteral("关闭"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setGeometry(471, 390, 85, 28);

    // The arrow keys refresh the details as a click does. Enter needs no
    // handler of its own: the tree passes it on to the default button "确定".
    connect(m_tvLibList, &QTreeWidget::currentItemChanged, this, [this] { tvLibListClick(); });
    connect(m_tvLibList, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (item && item->parent())
            btnSelectClick();
    });
    connect(m_btnSelect, &QPushButton::clicked, this, [this] { btnSelectClick(); });
    connect(m_btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

void TFrmSelectBook::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmSelectBook::FormShow()
{
    // The details stay empty until a book is found or the player moves.
    const QSignalBlocker quiet(m_tvLibList);
    try {
        BuildBookTree(m_data, *m_tvLibList, true);
        m_tvLibList->expandAll();
        const int id = m_data.GetDefaultBookId(m_gamePara.BookName);
        QTreeWidgetItem *found = nullptr;
        for (QTreeWidgetItemIterator it(m_tvLibList); *it; ++it) {
            if (BookIdOfNode(*it) == id && id != -1) {
                found = *it;
                break;
            }
        }
        if (found) {
            m_tvLibList->setCurrentItem(found);
            ShowBookInfo();
        } else if (QTreeWidgetItem *first = m_tvLibList->topLevelItem(0)) {
            m_tvLibList->setCurrentItem(first);
        }
        m_tvLibList->setFocus();
    } catch (const EDatabaseError &error) {
        ShowDatabaseErrorAndClose(error);
    }
}

void TFrmSelectBook::tvLibListClick()
{
    QTreeWidgetItem *item = m_tvLibList->currentItem();
    if (!item)
        return;
    if (!item->parent()) {
        // A class shows what it holds rather than the last book's details.
        m_labCount->setText(QStringLiteral("课本数"));
        m_ediBookName->setText(item->text(0));
        m_ediWordCount->setText(QString::number(item->childCount()));
        return;
    }
    try {
        ShowBookInfo();
    } catch (const EDatabaseError &error) {
        ShowDatabaseError(this, error);
    }
}

void TFrmSelectBook::ShowBookInfo()
{
    const int id = BookIdOfNode(m_tvLibList->currentItem());
    if (id < 0)
        return;
    m_labCount->setText(QStringLiteral("单词数"));
    m_ediBookName->setText(m_data.GetBookName(id));
    m_ediWordCount->setText(QString::number(m_data.GetBookWordCount(id)));
}

void TFrmSelectBook::btnSelectClick()
{
    QTreeWidgetItem *item = m_tvLibList->currentItem();
    const int id = (item && item->isSelected()) ? BookIdOfNode(item) : -1;
    if (id < 0) {
        ShowInfo(this, QStringLiteral("请选择课本！"));
        return;
    }
    try {
        TGamePara chosen = m_gamePara;
        chosen.TollGateIndex = 1;
        chosen.BookName = m_data.GetBookName(id);
        chosen.WordCount = m_data.GetBookWordCount(id);
        chosen.StoreTableName = m_data.GetBookTableName(id);
        chosen.TollGateCount = CeilDiv(chosen.TollGateWords, chosen.WordCount);
        m_gamePara = chosen;
    } catch (const EDatabaseError &error) {
        ShowDatabaseError(this, error);
        return;
    }
    accept();
}

void TFrmSelectBook::btnCloseClick()
{
    reject();
}

void TFrmSelectBook::ShowDatabaseErrorAndClose(const EDatabaseError &error)
{
    ShowDatabaseError(this, error);
    // Queued: closing from inside showEvent would end exec() before its loop starts.
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}
