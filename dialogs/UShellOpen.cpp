#include "UShellOpen.h"

#include "UAdConfig.h"
#include "UMessageBox.h"

#include <QDesktopServices>
#include <QDir>

#include <utility>

namespace {

bool DesktopOpen(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

TShellOpener &Opener()
{
    static TShellOpener opener = DesktopOpen;
    return opener;
}

} // namespace

bool ShellOpen(const QUrl &url, QWidget *parent)
{
    if (!IsWebAddress(url))
        return false;
    if (Opener()(url))
        return true;
    TellNotOpened(parent, url);
    return false;
}

TShellOpener SetShellOpener(TShellOpener opener)
{
    return std::exchange(Opener(), opener ? std::move(opener) : TShellOpener(DesktopOpen));
}

QString NotOpenedText(const QUrl &url)
{
    if (url.isLocalFile())
        return QStringLiteral("没能打开文件，这台电脑上可能没有能打开它的程序。文件在：\n%1")
            .arg(QDir::toNativeSeparators(url.toLocalFile()));
    return QStringLiteral("没能打开网页，这台电脑上可能没有可用的网页浏览器。请复制下面的网址，"
                          "粘贴到浏览器的地址栏中打开：\n%1")
        .arg(url.toString());
}

void TellNotOpened(QWidget *parent, const QUrl &url)
{
    ShowInfo(parent, NotOpenedText(url));
}
