#include "UFrmMistakeBook.h"

#include "UDatabaseError.h"
#include "UErrorMessages.h"
#include "UFontMap.h"
#include "UMessageBox.h"
#include "UWordExport.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>

namespace {

// The row's word (plain spelling) rides on the first cell, so that sorting
// never separates a row from what it stands for.
constexpr int kWordRole = Qt::UserRole;
// Numbers and days sort by this key, texts by their text.
constexpr int kSortRole = Qt::UserRole + 1;

class TSortItem : public QTableWidgetItem
{
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem &other) const override
    {
        const QVariant mine = data(kSortRole), theirs = other.data(kSortRole);
        if (mine.isValid() && theirs.isValid())
            return mine.toLongLong() < theirs.toLongLong();
        return text().localeAwareCompare(other.text()) < 0;
    }
};

QTableWidgetItem *TextItem(const QString &text)
{
    auto *item = new TSortItem(text);
    item->setToolTip(text);
    return item;
}

QTableWidgetItem *NumberItem(int value)
{
    auto *item = new TSortItem(QString::number(value));
    item->setData(kSortRole, qint64(value));
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QTableWidgetItem *DayItem(const QDate &day, const QString &text)
{
    auto *item = new TSortItem(text);
    // A day that cannot be read sorts after every real one.
    item->setData(kSortRole, day.isValid() ? day.toJulianDay() : std::numeric_limits<qint64>::max());
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QTableWidget *MakeList(QWidget *parent, const char *name, const QStringList &headers)
{
    auto *list = new QTableWidget(0, int(headers.size()), parent);
    list->setObjectName(QLatin1String(name));
    list->setHorizontalHeaderLabels(headers);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->verticalHeader()->hide();
    list->setWordWrap(false);
    list->horizontalHeader()->setStretchLastSection(false);
    // Listed in the order the book deals them until a column is clicked.
    list->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    for (int column = 0; column < headers.size(); ++column)
        list->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    return list;
}

// What the save dialog's filter (or, without one, the name's suffix) asks for.
const QString kCsvFilter = QStringLiteral("CSV 表格 (*.csv)");
const QString kAnkiFilter = QStringLiteral("Anki 纯文本 (*.txt)");
const QString kJsonFilter = QStringLiteral("打字练习 JSON 词库 (*.json)");

TWordListFormat FormatFor(const QString &fileName, const QString &filter)
{
    if (filter == kAnkiFilter)
        return TWordListFormat::Anki;
    if (filter == kJsonFilter)
        return TWordListFormat::Json;
    if (filter == kCsvFilter)
        return TWordListFormat::Csv;
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("json"))
        return TWordListFormat::Json;
    if (suffix == QLatin1String("txt"))
        return TWordListFormat::Anki;
    return TWordListFormat::Csv;
}

QString SuffixOf(TWordListFormat format)
{
    switch (format) {
    case TWordListFormat::Anki: return QStringLiteral("txt");
    case TWordListFormat::Json: return QStringLiteral("json");
    default: return QStringLiteral("csv");
    }
}

} // namespace

TFrmMistakeBook::TFrmMistakeBook(TDataInterface &data, bool scramble, const QDate &today, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_scramble(scramble)
    , m_today(today)
{
    setObjectName(QStringLiteral("FrmMistakeBook"));
    setWindowTitle(QStringLiteral("生词本"));
    resize(760, 480);
    setFont(FontByPixels(QStringLiteral("宋体"), 12));
    BuildLists();

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edSearch"));
    m_search->setPlaceholderText(QStringLiteral("输入单词或释义查找"));
    m_search->setClearButtonEnabled(true);
    connect(m_search, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });

    btnRemove = new QPushButton(QStringLiteral("移出生词本(&R)"), this);
    btnRemove->setObjectName(QStringLiteral("btnRemove"));
    btnMarkKnown = new QPushButton(QStringLiteral("标为熟词(&K)"), this);
    btnMarkKnown->setObjectName(QStringLiteral("btnMarkKnown"));
    btnForget = new QPushButton(QStringLiteral("移出熟词本(&F)"), this);
    btnForget->setObjectName(QStringLiteral("btnForget"));
    btnExport = new QPushButton(QStringLiteral("导出(&E)…"), this);
    btnExport->setObjectName(QStringLiteral("btnExport"));
    auto *btnClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    connect(btnRemove, &QPushButton::clicked, this, &TFrmMistakeBook::RemoveSelected);
    connect(btnMarkKnown, &QPushButton::clicked, this, &TFrmMistakeBook::MarkSelectedKnown);
    connect(btnForget, &QPushButton::clicked, this, &TFrmMistakeBook::ForgetSelected);
    connect(btnExport, &QPushButton::clicked, this, &TFrmMistakeBook::Export);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("查找："), this));
    search->addWidget(m_search, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnRemove);
    buttons->addWidget(btnMarkKnown);
    buttons->addWidget(btnForget);
    buttons->addWidget(btnExport);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    UpdateButtons();
}

void TFrmMistakeBook::BuildLists()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabsWordBooks"));
    m_mistakes = MakeList(m_tabs, "lvMistakes",
                          {QStringLiteral("单词"), QStringLiteral("音标"), QStringLiteral("释义"), QStringLiteral("错过次数"),
                           QStringLiteral("拼对次数"), QStringLiteral("阶段"), QStringLiteral("下次复习")});
    m_mistakes->horizontalHeader()->setSectionResizeMode(cMeaning, QHeaderView::Stretch);
    m_known = MakeList(m_tabs, "lvKnown",
                       {QStringLiteral("单词"), QStringLiteral("音标"), QStringLiteral("释义"), QStringLiteral("来自"),
                        QStringLiteral("标记日期")});
    m_known->horizontalHeader()->setSectionResizeMode(kcMeaning, QHeaderView::Stretch);
    m_tabs->addTab(m_mistakes, QStringLiteral("生词本"));
    m_tabs->addTab(m_known, QStringLiteral("熟词本"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { UpdateButtons(); });

    for (QTableWidget *list : {m_mistakes, m_known}) {
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint &pos) { ShowMenu(list, pos); });
        connect(list, &QTableWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
        auto *remove = new QAction(list);
        remove->setShortcut(QKeySequence::Delete);
        remove->setShortcutContext(Qt::WidgetShortcut);
        connect(remove, &QAction::triggered, this, [this, list] {
            if (list == m_known)
                ForgetSelected();
            else
                RemoveSelected();
        });
        list->addAction(remove);
    }
}

void TFrmMistakeBook::LoadWords()
{
    m_mistakeRows = ReadMistakeRows(m_data, m_scramble);
    m_knownRows = TKnownWords(m_data).Rows(m_scramble);
    FillMistakes();
    FillKnown();
    m_tabs->setTabText(0, QStringLiteral("生词本（%1）").arg(m_mistakeRows.size()));
    m_tabs->setTabText(1, QStringLiteral("熟词本（%1）").arg(m_knownRows.size()));
    ApplyFilter();
    UpdateButtons();
}

void TFrmMistakeBook::FillMistakes()
{
    m_mistakes->setSortingEnabled(false);
    m_mistakes->clearContents();
    m_mistakes->setRowCount(int(m_mistakeRows.size()));
    for (int r = 0; r < m_mistakeRows.size(); ++r) {
        const TMistakeRow &row = m_mistakeRows[r];
        QTableWidgetItem *word = TextItem(row.Word.Spelling);
        word->setData(kWordRole, r);
        m_mistakes->setItem(r, cSpelling, word);
        m_mistakes->setItem(r, cPhonetic, TextItem(row.Word.Pronunciation));
        m_mistakes->setItem(r, cMeaning, TextItem(row.Word.Meaning.simplified()));
        m_mistakes->setItem(r, cMisses, NumberItem(row.Misses));
        m_mistakes->setItem(r, cSpelled, NumberItem(row.Spelled));
        m_mistakes->setItem(r, cBox, NumberItem(row.Box));
        const QString due = !row.Due.isValid()      ? QStringLiteral("—")
                            : row.Due <= m_today    ? QStringLiteral("%1 已到").arg(row.Due.toString(Qt::ISODate))
                                                    : row.Due.toString(Qt::ISODate);
        m_mistakes->setItem(r, cDue, DayItem(row.Due, due));
    }
    m_mistakes->setSortingEnabled(true);
}

void TFrmMistakeBook::FillKnown()
{
    m_known->setSortingEnabled(false);
    m_known->clearContents();
    m_known->setRowCount(int(m_knownRows.size()));
    for (int r = 0; r < m_knownRows.size(); ++r) {
        const TKnownWord &row = m_knownRows[r];
        QTableWidgetItem *word = TextItem(row.Word.Spelling);
        word->setData(kWordRole, r);
        m_known->setItem(r, kcSpelling, word);
        m_known->setItem(r, kcPhonetic, TextItem(row.Word.Pronunciation));
        m_known->setItem(r, kcMeaning, TextItem(row.Word.Meaning.simplified()));
        m_known->setItem(r, kcSource, TextItem(row.SourceTitle));
        m_known->setItem(r, kcAdded, DayItem(row.Added, row.Added.toString(Qt::ISODate)));
    }
    m_known->setSortingEnabled(true);
}

void TFrmMistakeBook::ApplyFilter()
{
    const QString wanted = m_search->text().trimmed();
    for (QTableWidget *list : {m_mistakes, m_known}) {
        const int meaning = list == m_known ? int(kcMeaning) : int(cMeaning);
        for (int r = 0; r < list->rowCount(); ++r) {
            const bool shown = wanted.isEmpty() || list->item(r, 0)->text().contains(wanted, Qt::CaseInsensitive)
                               || list->item(r, meaning)->text().contains(wanted, Qt::CaseInsensitive);
            list->setRowHidden(r, !shown);
        }
    }
}

bool TFrmMistakeBook::OnKnownTab() const
{
    return m_tabs->currentWidget() == m_known;
}

void TFrmMistakeBook::UpdateButtons()
{
    const bool known = OnKnownTab();
    const bool mistakesChosen = !m_mistakes->selectionModel()->selectedRows().isEmpty();
    btnRemove->setVisible(!known);
    btnMarkKnown->setVisible(!known);
    btnForget->setVisible(known);
    btnRemove->setEnabled(mistakesChosen);
    btnMarkKnown->setEnabled(mistakesChosen);
    btnForget->setEnabled(!m_known->selectionModel()->selectedRows().isEmpty());
}

QStringList TFrmMistakeBook::SelectedSpellings(QTableWidget *list) const
{
    QStringList spellings;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        if (!list->isRowHidden(index.row()))
            spellings.append(list->item(index.row(), 0)->text());
    return spellings;
}

void TFrmMistakeBook::ShowMenu(QTableWidget *list, const QPoint &pos)
{
    if (SelectedSpellings(list).isEmpty())
        return;
    QMenu menu(this);
    if (list == m_known) {
        menu.addAction(QStringLiteral("移出熟词本"), this, &TFrmMistakeBook::ForgetSelected);
    } else {
        menu.addAction(QStringLiteral("移出生词本"), this, &TFrmMistakeBook::RemoveSelected);
        menu.addAction(QStringLiteral("标为熟词"), this, &TFrmMistakeBook::MarkSelectedKnown);
    }
    menu.exec(list->viewport()->mapToGlobal(pos));
}

void TFrmMistakeBook::Change(const std::function<void()> &change)
{
    try {
        change();
    } catch (const EDatabaseError &error) {
        ShowDatabaseError(this, error);
    }
    try {
        LoadWords();
    } catch (const EDatabaseError &error) {
        ShowDatabaseError(this, error);
    }
}

void TFrmMistakeBook::RemoveSelected()
{
    const QStringList spellings = SelectedSpellings(m_mistakes);
    if (spellings.isEmpty())
        return;
    const QString which = spellings.size() == 1 ? QStringLiteral("“%1”").arg(spellings.first())
                                                : QStringLiteral("选中的 %1 个单词").arg(spellings.size());
    if (!AskYesNoDefaultNo(this, QStringLiteral("确定要把%1移出生词本吗？它的复习进度将一并清除。").arg(which)))
        return;
    Change([&] { RemoveFromMistakeBook(m_data, spellings); });
}

void TFrmMistakeBook::MarkSelectedKnown()
{
    QList<TKnownWord> words;
    for (const QModelIndex &index : m_mistakes->selectionModel()->selectedRows()) {
        if (m_mistakes->isRowHidden(index.row()))
            continue;
        const TMistakeRow &row = m_mistakeRows.at(m_mistakes->item(index.row(), cSpelling)->data(kWordRole).toInt());
        words.append(TKnownWord{row.Word, row.SourceBook, QString(), m_today});
    }
    if (words.isEmpty())
        return;
    Change([&] { MarkKnown(m_data, words, m_today, m_scramble); });
    emit KnownWordsChanged();
}

void TFrmMistakeBook::ForgetSelected()
{
    const QStringList spellings = SelectedSpellings(m_known);
    if (spellings.isEmpty())
        return;
    Change([&] { ForgetKnown(m_data, spellings); });
    emit KnownWordsChanged();
}

void TFrmMistakeBook::Export()
{
    const bool known = OnKnownTab();
    QList<TWordLine> words;
    if (known) {
        for (const TKnownWord &row : m_knownRows)
            words.append({row.Word.Spelling, row.Word.Pronunciation, row.Word.Meaning});
    } else {
        for (const TMistakeRow &row : m_mistakeRows)
            words.append({row.Word.Spelling, row.Word.Pronunciation, row.Word.Meaning});
    }
    if (words.isEmpty()) {
        ShowInfo(this, known ? QStringLiteral("熟词本里还没有单词。") : QStringLiteral("生词本里还没有单词。"));
        return;
    }
    QString filter;
    QString fileName = DialogService().GetSaveFileName(
        this, known ? QStringLiteral("导出熟词本") : QStringLiteral("导出生词本"),
        QStringList{kCsvFilter, kAnkiFilter, kJsonFilter}.join(QStringLiteral(";;")), &filter);
    if (fileName.isEmpty())
        return;
    const TWordListFormat format = FormatFor(fileName, filter);
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QLatin1Char('.') + SuffixOf(format);
    if (!ExportWordList(fileName, format, words)) {
        ShowExclamation(this, QStringLiteral("无法写入文件“%1”，请检查磁盘空间和写入权限。").arg(fileName));
        return;
    }
    ShowInfo(this, QStringLiteral("已导出 %1 个单词到“%2”。").arg(words.size()).arg(fileName));
}
