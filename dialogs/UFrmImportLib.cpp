#include "UFrmImportLib.h"

#include "UBookType.h"
#include "UDataInterface.h"
#include "UErrorMessages.h"
#include "UImpExpLib.h"
#include "UMessageBox.h"
#include "UScramble.h"
#include "UWordFileReader.h"
#include "UWordListFormats.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QFileInfo>
#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kDefaultImportClass = 4; // 研究生英语
constexpr int kPreviewRows = 10;

// "列：1=单词 2=释义": what each column of the file became, so that a
// header the reader did not know shows its columns placed by position.
QString ColumnsText(const QList<TWordColumn> &columns)
{
    if (columns.isEmpty())
        return QString();
    QStringList parts;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        static const QString names[] = {QStringLiteral("单词"), QStringLiteral("音标"), QStringLiteral("释义"),
                                        QStringLiteral("不导入")};
        parts << QStringLiteral("%1=%2").arg(c + 1).arg(names[int(columns[c])]);
    }
    return QStringLiteral("列：") + parts.join(QLatin1Char(' '));
}
} // namespace

QString LineFaultReason(TLineFault fault, bool encrypt)
{
    // Scrambled, a text of n GBK bytes takes 2n digits plus the key's.
    const auto width = [encrypt](const QString &what, int columnWidth) {
        if (!encrypt)
            return QStringLiteral("%1超过%2个字符").arg(what).arg(columnWidth);
        const int bytes = (columnWidth - int(GetScrambleKey().size()) * 2) / 2;
        return QStringLiteral("%1太长：加密保存时最多%2个字节（约%3个汉字）").arg(what).arg(bytes).arg(bytes / 2);
    };
    switch (fault) {
    case TLineFault::None: return QString();
    case TLineFault::NoSpelling: return QStringLiteral("缺少单词：单词一栏是空的，或者这一行没有“[”");
    case TLineFault::SpellingTooLong:
        return QStringLiteral("单词超过%1个字母，无法在游戏中拼写").arg(kMaxSpellingLetters);
    case TLineFault::SpellingTooWide: return width(QStringLiteral("单词"), kSpellingWidth);
    case TLineFault::PronunciationTooWide: return width(QStringLiteral("音标"), kPronunciationWidth);
    case TLineFault::MeaningTooWide: return width(QStringLiteral("释义"), kMeaningWidth);
    case TLineFault::NotText: return QStringLiteral("不是有效的GBK或UTF-8文本");
    case TLineFault::InsertFailed: return QStringLiteral("无法写入词库");
    case TLineFault::ControlCharacter: return QStringLiteral("单词中含有控制字符");
    case TLineFault::UnclosedQuote: return QStringLiteral("引号未闭合，从这一条到文件末尾都被读成了一条");
    }
    return QString();
}

QString BadLineQuestion(int line, TLineFault fault, bool encrypt)
{
    return QStringLiteral("导入的词库中第%1条有错误,是否略过继续执行导入?").arg(line) + QStringLiteral("\n原因：")
           + LineFaultReason(fault, encrypt) + QStringLiteral("。");
}

QString ImportedText(const TImportCounts &counts)
{
    QString text = QStringLiteral("恭喜您,导入词库成功了！\n共导入 %1 个单词").arg(counts.Imported);
    if (counts.Skipped > 0)
        text += QStringLiteral("，略过 %1 条有错误的内容").arg(counts.Skipped);
    return text + QStringLiteral("。");
}

bool ImportWordLibAsking(TDataInterface &data, const QString &fileName, const QString &title, int bookClass,
                         bool encrypt, const TImportProgress &progress, QWidget *parent, TImportCounts *counts)
{
    const auto skipBadLine = [parent, encrypt](int line, TLineFault fault) {
        return AskYesNo(parent, BadLineQuestion(line, fault, encrypt));
    };
    QString error;
    const bool imported =
        ImportWordLib(data, fileName, title, bookClass, encrypt, skipBadLine, progress, &error, counts);
    if (!error.isEmpty())
        ShowExclamation(parent, error);
    return imported;
}

TFrmImportLib::TFrmImportLib(TDataInterface &data, bool encrypt, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_data(data), m_encrypt(encrypt)
{
    setWindowTitle(QStringLiteral("导入咕噜猫词库"));
    setFixedSize(720, 345);

    auto *gbFile = new QGroupBox(QStringLiteral("请选择需导入的词库文件"), this);
    gbFile->setObjectName(QStringLiteral("gbFile"));
    gbFile->setGeometry(8, 8, 320, 70);
    m_sFileName = new QLineEdit(gbFile);
    m_sFileName->setObjectName(QStringLiteral("sFileName"));
    m_sFileName->setMaxLength(255);
    m_btnBrowse = new QToolButton(gbFile);
    m_btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    m_btnBrowse->setText(QStringLiteral("..."));
    auto *fileLayout = new QHBoxLayout(gbFile);
    fileLayout->addWidget(m_sFileName);
    fileLayout->addWidget(m_btnBrowse);

    auto *gbBook = new QGroupBox(QStringLiteral("词库类别及名称设置"), this);
    gbBook->setObjectName(QStringLiteral("gbBook"));
    gbBook->setGeometry(8, 86, 320, 150);
    m_cboBookClass = new QComboBox(gbBook);
    m_cboBookClass->setObjectName(QStringLiteral("cboBookClass"));
    m_cboBookClass->addItems(ImportBookClasses());
    m_cboBookClass->setCurrentIndex(kDefaultImportClass - 1);
    m_ediLibName = new QLineEdit(gbBook);
    m_ediLibName->setObjectName(QStringLiteral("ediLibName"));
    m_ediLibName->setMaxLength(kMaxTitleLength);
    auto *classLayout = new QVBoxLayout(gbBook);
    classLayout->addWidget(new QLabel(QStringLiteral("词库类别"), gbBook));
    classLayout->addWidget(m_cboBookClass);
    classLayout->addWidget(new QLabel(QStringLiteral("词库名称"), gbBook));
    classLayout->addWidget(m_ediLibName);

    m_pbImport = new QProgressBar(this);
    m_pbImport->setObjectName(QStringLiteral("pbImport"));
    m_pbImport->setGeometry(8, 250, 320, 20);
    m_pbImport->setMaximum(100);
    m_pbImport->setValue(0);
    m_pbImport->setTextVisible(false);

    m_btnImport = new QPushButton(QStringLiteral("开始导入"), this);
    m_btnImport->setObjectName(QStringLiteral("btnImport"));
    m_btnImport->setGeometry(148, 300, 85, 28);
    m_btnClose = new QPushButton(QStringLiteral("关闭"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setGeometry(243, 300, 85, 28);

    auto *gbProgress = new QGroupBox(QStringLiteral("预览（前%1行）").arg(kPreviewRows), this);
    gbProgress->setObjectName(QStringLiteral("gbProgress"));
    gbProgress->setGeometry(336, 8, 376, 320);
    m_preview = new QTableWidget(0, 3, gbProgress);
    m_preview->setObjectName(QStringLiteral("tblPreview"));
    m_preview->setHorizontalHeaderLabels({QStringLiteral("单词"), QStringLiteral("音标"), QStringLiteral("释义")});
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->horizontalHeader()->setStretchLastSection(true);
    m_previewCount = new QLabel(gbProgress);
    m_previewCount->setObjectName(QStringLiteral("labPreviewCount"));
    m_previewCount->setWordWrap(true);
    m_previewColumns = new QLabel(gbProgress);
    m_previewColumns->setObjectName(QStringLiteral("labPreviewColumns"));
    auto *previewLayout = new QVBoxLayout(gbProgress);
    previewLayout->addWidget(m_previewColumns);
    previewLayout->addWidget(m_preview);
    previewLayout->addWidget(m_previewCount);

    connect(m_sFileName, &QLineEdit::textChanged, this, [this] { sFileNameChange(); });
    connect(m_btnBrowse, &QToolButton::clicked, this, [this] { btnBrowseClick(); });
    connect(m_btnImport, &QPushButton::clicked, this, [this] { btnImportClick(); });
    connect(m_btnClose, &QPushButton::clicked, this, [this] { reject(); });

    // Centred on the screen, not over the main window.
    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFrmImportLib::sFileNameChange()
{
    // A file name may hold a line break; the proposal gets a space instead.
    QString title = ExtractLibName(m_sFileName->text());
    for (QChar &c : title)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    m_ediLibName->setText(title);
    ShowPreview();
}

void TFrmImportLib::ShowPreview()
{
    m_preview->setRowCount(0);
    m_previewCount->clear();
    m_previewColumns->clear();
    const QString fileName = m_sFileName->text();
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return;
    QByteArray bytes;
    QString error;
    if (!TWordFileReader::ReadAll(fileName, bytes, error)) {
        m_previewCount->setText(error);
        return;
    }
    // Only the shown rows are kept; the others are just counted.
    QList<TWordRow> first;
    qint64 count = 0, bad = 0;
    const TWordListFormat format = DetectWordListFormat(fileName, bytes.left(64));
    const QString readError = ReadWordList(format, bytes, [&](const TWordRow &row) {
        ++count;
        bad += row.Fault != TLineFault::None;
        if (first.size() < kPreviewRows)
            first << row;
        return true;
    });
    if (!readError.isEmpty()) {
        m_previewCount->setText(readError);
        return;
    }
    m_preview->setRowCount(int(first.size()));
    // Red that reads on the skin's list: no one red does on white and on charcoal.
    const QColor badInk = m_preview->palette().color(QPalette::Base).lightness() < 128 ? QColor(255, 128, 128)
                                                                                     : QColor(176, 0, 0);
    for (int r = 0; r < first.size(); ++r) {
        const TWordRow &row = first[r];
        const QString texts[] = {row.Word.Spelling, row.Word.Pronunciation, row.Word.Meaning};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(texts[c]);
            if (row.Fault != TLineFault::None)
                item->setForeground(badInk);
            m_preview->setItem(r, c, item);
        }
        m_preview->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(row.Line)));
    }
    m_previewCount->setText(QStringLiteral("共%1行，其中%2行有误。").arg(count).arg(bad));
    m_previewColumns->setText(ColumnsText(ReadWordListColumns(format, bytes)));
}

void TFrmImportLib::btnBrowseClick()
{
    const QString fileName = DialogService().GetOpenFileName(this, windowTitle(), QStringLiteral("词库文件 (*.txt *.csv *.tsv *.json);;所有文件 (*)"));
    if (!fileName.isEmpty())
        m_sFileName->setText(fileName);
}

void TFrmImportLib::btnImportClick()
{
    if (m_importing)
        return;
    m_pbImport->setValue(0);
    if (m_sFileName->text().trimmed().isEmpty()) {
        ShowInfo(this, QStringLiteral("请选择要导入的词库文件！"));
        return;
    }
    // The title is stored exactly as typed; only a blank one is refused.
    const QString title = m_ediLibName->text();
    if (title.trimmed().isEmpty()) {
        ShowInfo(this, QStringLiteral("请设置导入后的词库文件名称！"));
        return;
    }
    // Limits before any work: the catalogue takes 255 characters, and a
    // line break would end up in the settings and recent-games files.
    if (title.size() > kMaxTitleLength) {
        ShowInfo(this, QStringLiteral("词库名称最多%1个字符，请重新设置！").arg(kMaxTitleLength));
        return;
    }
    if (std::any_of(title.cbegin(), title.cend(), [](QChar c) { return c.category() == QChar::Other_Control; })) {
        ShowInfo(this, QStringLiteral("词库名称不能包含换行符等控制字符，请重新设置！"));
        return;
    }
    try {
        if (m_data.BookNameExists(title)) {
            ShowInfo(this, QStringLiteral("您设置的词库已经存在，请重新设置！"));
            return;
        }
        SetImporting(true);
        const auto progress = [this](int position, int maximum) {
            m_pbImport->setMaximum(std::max(maximum, 1));
            m_pbImport->setValue(std::min(position, m_pbImport->maximum()));
            QCoreApplication::processEvents();
        };
        TImportCounts counts;
        const bool imported = ImportWordLibAsking(m_data, m_sFileName->text(), title,
                                                  m_cboBookClass->currentIndex() + 1, m_encrypt, progress, this, &counts);
        SetImporting(false);
        if (imported)
            ShowInfo(this, ImportedText(counts));
        else
            ShowExclamation(this, QStringLiteral("导入词库失败了！"));
    } catch (const EDatabaseError &error) {
        SetImporting(false);
        ShowDatabaseError(this, error);
    }
}

void TFrmImportLib::SetImporting(bool importing)
{
    m_importing = importing;
    for (QWidget *widget : {static_cast<QWidget *>(m_btnImport), static_cast<QWidget *>(m_btnClose),
                            static_cast<QWidget *>(m_btnBrowse), static_cast<QWidget *>(m_sFileName),
                            static_cast<QWidget *>(m_cboBookClass), static_cast<QWidget *>(m_ediLibName)})
        widget->setEnabled(!importing);
}

void TFrmImportLib::closeEvent(QCloseEvent *event)
{
    // The import runs inside this window's handler; closing under it would
    // destroy the dialog while the import still uses it.
    if (m_importing)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TFrmImportLib::reject()
{
    if (!m_importing)
        QDialog::reject();
}
