#include "app/forms/WidgetDialogs.h"
#include "app/Startup.h"

#include "app/ui/ModalHelper.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class WidgetDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheExactCaptionTextIconAndPortugueseButtons();
    void aMessageWithoutCaptionCarriesTheProgramTitle();
};

void WidgetDialogsTest::showsTheExactCaptionTextIconAndPortugueseButtons()
{
    app::WidgetDialogs dialogs;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        for (QAbstractButton *b : box->buttons())
            buttons.append(b->text());
        box->button(QMessageBox::No)->click();
    });
    const core::Button answer =
        dialogs.show({QStringLiteral("Primeira linha\rSegunda linha"), QStringLiteral("Atenção"),
                      core::Icon::Error, core::Button::Yes | core::Button::No});
    QCOMPARE(answer, core::Button::No);
    QCOMPARE(title, QStringLiteral("Atenção"));
    QCOMPARE(text, QStringLiteral("Primeira linha\nSegunda linha"));
    QCOMPARE(icon, QMessageBox::Critical);
    buttons.sort();
    QCOMPARE(buttons, (QStringList{QStringLiteral("&Não"), QStringLiteral("&Sim")}));
}

void WidgetDialogsTest::aMessageWithoutCaptionCarriesTheProgramTitle()
{
    app::WidgetDialogs dialogs;
    QString title;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(dialogs.show({QStringLiteral("Pronto.")}), core::Button::Ok);
    QCOMPARE(title, app::applicationTitle());
}

QTEST_MAIN(WidgetDialogsTest)
#include "WidgetDialogsTest.moc"
