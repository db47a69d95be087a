#include "UAdLabel.h"

#include "UFontMap.h"
#include "UShellOpen.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>

TLinkEvent LinkEventOf(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        return TLinkEvent::Hover;
    case QEvent::Leave:
        return TLinkEvent::Leave;
    case QEvent::MouseButtonRelease:
        return static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton ? TLinkEvent::Click
                                                                                  : TLinkEvent::None;
    default:
        return TLinkEvent::None;
    }
}

void SetLinkLook(QLabel &label, bool hover, bool keepBoldUnderline)
{
    // A skin's sheet may colour the label, and a sheet's colour wins over
    // the palette: each skin gives labels marked this way its hover look.
    if (label.property(kLinkHoverProperty).toBool() != hover) {
        label.setProperty(kLinkHoverProperty, hover);
        label.style()->unpolish(&label);
        label.style()->polish(&label);
    }
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, hover ? QColor(0, 0, 255) : QColor(0, 0, 0));
    label.setPalette(palette);
    QFont font = label.font();
    font.setUnderline(hover || keepBoldUnderline);
    if (!keepBoldUnderline)
        font.setBold(false);
    label.setFont(font);
    if (hover)
        label.setCursor(Qt::PointingHandCursor);
    else
        label.unsetCursor();
}

TAdLabel::TAdLabel(QLabel *label, QObject *parent) : QObject(parent), m_label(label)
{
    // Titles come from the network: never let one be read as markup.
    if (m_label)
        m_label->setTextFormat(Qt::PlainText);
}

void TAdLabel::ShowTitle(const QString &title)
{
    if (!m_label)
        return;
    if (!m_active) {
        m_active = true;
        m_label->setFont(FontByPoints(QStringLiteral("宋体"), 9));
        m_label->setMouseTracking(true);
        m_label->installEventFilter(this);
    }
    m_label->setText(title);
}

void TAdLabel::SetClickHandler(std::function<void()> handler)
{
    m_onClick = std::move(handler);
}

void TAdLabel::OpenUrl(const QUrl &url)
{
    ShellOpen(url, m_label ? m_label->window() : nullptr);
}

void TAdLabel::LabelMouseMove()
{
    SetLinkLook(*m_label, true);
}

void TAdLabel::LabelMouseLeave()
{
    SetLinkLook(*m_label, false);
}

bool TAdLabel::eventFilter(QObject *watched, QEvent *event)
{
    // While the label is being destroyed it is no longer a QLabel (its hide
    // still sends a leave event), and nothing of a label may be touched then.
    const auto *label = qobject_cast<QLabel *>(watched);
    if (!label || label != m_label)
        return QObject::eventFilter(watched, event);
    switch (LinkEventOf(event)) {
    case TLinkEvent::Hover: LabelMouseMove(); break;
    case TLinkEvent::Leave: LabelMouseLeave(); break;
    case TLinkEvent::Click:
        // Released after the pointer slid off the label: no click.
        if (m_label->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()) && m_onClick)
            m_onClick();
        break;
    case TLinkEvent::None: break;
    }
    return QObject::eventFilter(watched, event);
}
