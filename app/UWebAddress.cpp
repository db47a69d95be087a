#include "UWebAddress.h"

QUrl WebAddress(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return QUrl();
    // QUrl keeps schemes in lower case, so "HTTPS:" compares equal here.
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return QUrl();
    return url;
}
