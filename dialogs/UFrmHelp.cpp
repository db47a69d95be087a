#include "UFrmHelp.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

TFrmHelp::TFrmHelp(const QString &helpFile, QWidget *parent)
    : QDialog(parent)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("FrmHelp"));
    setWindowTitle(QStringLiteral("咕噜猫字母乐园 帮助"));
    // A reference window beside the game, not a question to answer.
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    resize(720, 600);

    m_browser->setObjectName(QStringLiteral("tbHelp"));
    m_browser->setOpenExternalLinks(true);
    if (QFileInfo(helpFile).isFile()) {
        m_browser->setSearchPaths({QFileInfo(helpFile).absolutePath()});
        m_browser->setSource(QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath()));
    } else {
        m_browser->setHtml(QStringLiteral("<h2>帮助文件缺失</h2><p>在程序文件夹中找不到帮助文件：</p><p>%1</p>"
                                          "<p>请重新安装咕噜猫字母乐园。</p>")
                               .arg(helpFile.toHtmlEscaped()));
    }

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser, 1);
    layout->addWidget(buttons);
}

TFrmHelp *TFrmHelp::ShowHelp(QWidget *parent, const QString &programFolder, const TShellOpen &open)
{
    const QString chm = programFolder + QStringLiteral("guluspell.chm");
    if (QFileInfo::exists(chm) && open && open(chm))
        return nullptr;
    static QPointer<TFrmHelp> shown;
    if (!shown) {
        shown = new TFrmHelp(programFolder + QStringLiteral("help/index.html"), parent);
        shown->setAttribute(Qt::WA_DeleteOnClose);
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
    return shown;
}
