#pragma once

#include <QIcon>
#include <QToolButton>

// A large button of the left bar: its picture under its caption, the "on" picture while it has
// the keyboard focus and the "off" picture otherwise.
namespace app {

class PictureButton : public QToolButton
{
    Q_OBJECT
public:
    PictureButton(const QString &caption, const QIcon &offPicture, const QIcon &onPicture,
                  QWidget *parent = nullptr);

    bool showsOnPicture() const { return m_on; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showPicture(bool on);

    QIcon m_off;
    QIcon m_onPicture;
    bool m_on = false;
};

} // namespace app
