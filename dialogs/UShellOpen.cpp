#include "UShellOpen.h"

#include "UAdConfig.h"

#include <QDesktopServices>

#include <utility>

namespace {

void DesktopOpen(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

TShellOpener &Opener()
{
    static TShellOpener opener = DesktopOpen;
    return opener;
}

} // namespace

bool ShellOpen(const QUrl &url)
{
    if (!IsWebAddress(url))
        return false;
    Opener()(url);
    return true;
}

TShellOpener SetShellOpener(TShellOpener opener)
{
    return std::exchange(Opener(), opener ? std::move(opener) : TShellOpener(DesktopOpen));
}
