#pragma once
// The advertising controller. Advertising is not fetched yet, so its lists
// stay empty: no ad is shown and "支持我们" stays disabled.

#include <QStringList>

class TAdInterface
{
public:
    const QStringList &Urls() const { return m_urls; }
    const QStringList &Titles() const { return m_titles; }
    int AdCount() const { return int(m_urls.size()); }

private:
    QStringList m_urls;
    QStringList m_titles;
};
