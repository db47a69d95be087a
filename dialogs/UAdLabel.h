#pragma once
// Makes a QLabel the status-bar view of an advertising controller: titles
// shown as plain text in "宋体" 9 pt, a link look under the mouse (hand
// pointer, blue, underlined), the plain look (black) when it leaves, and a
// click that asks the controller to open the ad shown. Before the first title
// the label is inert. The label is not owned.

#include "UAdView.h"

#include <QObject>
#include <QPointer>

class QLabel;

class TAdLabel : public QObject, public TAdLabelView
{
    Q_OBJECT
public:
    explicit TAdLabel(QLabel *label, QObject *parent = nullptr);

    void ShowTitle(const QString &title) override;
    void SetClickHandler(std::function<void()> handler) override;
    void OpenUrl(const QUrl &url) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LabelMouseMove();
    void LabelMouseLeave();

    QPointer<QLabel> m_label;
    std::function<void()> m_onClick;
    bool m_active = false;
};

// The link look and the plain look, shared with the About and Support links.
// Under a skin, the look of a hovered label comes from the skin's rules for
// labels whose property kLinkHoverProperty is true.
void SetLinkLook(QLabel &label, bool hover, bool keepBoldUnderline = false);
inline constexpr char kLinkHoverProperty[] = "linkHover";

// What a mouse event means to a link label: the pointer came onto it or
// moved over it, left it, or the left button was released over it.
enum class TLinkEvent { None, Hover, Leave, Click };
TLinkEvent LinkEventOf(const QEvent *event);
