#include "app/forms/PictureButton.h"

namespace app {

PictureButton::PictureButton(const QString &caption, const QIcon &offPicture,
                             const QIcon &onPicture, QWidget *parent)
    : QToolButton(parent), m_off(offPicture), m_onPicture(onPicture)
{
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(40, 40));
    setAutoRaise(true);
    // A click gives the focus too, so the pressed button lights up like a tabbed-to one.
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    showPicture(false);
}

void PictureButton::focusInEvent(QFocusEvent *event)
{
    QToolButton::focusInEvent(event);
    showPicture(true);
}

void PictureButton::focusOutEvent(QFocusEvent *event)
{
    QToolButton::focusOutEvent(event);
    showPicture(false);
}

void PictureButton::showPicture(bool on)
{
    m_on = on;
    setIcon(on ? m_onPicture : m_off);
}

} // namespace app
