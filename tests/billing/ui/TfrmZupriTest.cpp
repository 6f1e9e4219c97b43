#include "billing/forms/TfrmZupri.h"
#include "billing/receipt/FakeTicketPrinter.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

class TfrmZupriTest : public QObject
{
    Q_OBJECT

private:
    FakeTicketPrinter *m_printer = nullptr; // owned by the window

    std::unique_ptr<TfrmZupri> openForm(const QStringList &receipt = {"Colegio", "", "Fim"},
                                        const QString &authentication = "123 06032007")
    {
        auto printer = std::make_unique<FakeTicketPrinter>();
        m_printer = printer.get();
        auto form = std::make_unique<TfrmZupri>(receipt, authentication, std::move(printer));
        form->show();
        return form;
    }
    template <typename T> static T *find(const QWidget &form, const char *name)
    {
        T *widget = form.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("missing %s", name);
        return widget;
    }

private slots:
    void showsTheTextsReadOnlyAndSelectsThePortChosen()
    {
        const auto form = openForm();
        QCOMPARE(form->windowTitle(), QStringLiteral("Autenticação Zupri"));
        const auto *receipt = find<QPlainTextEdit>(*form, "txtRecibo");
        QVERIFY(receipt->isReadOnly());
        QCOMPARE(receipt->toPlainText(), QStringLiteral("Colegio\n\nFim"));
        QVERIFY(QFontInfo(receipt->font()).fixedPitch());
        const auto *authentication = find<QLineEdit>(*form, "txtAutentica");
        QVERIFY(authentication->isReadOnly());
        QCOMPARE(authentication->text(), QStringLiteral("123 06032007"));
        QVERIFY(find<QRadioButton>(*form, "rbCom1")->isChecked());
        QTest::mouseClick(find<QRadioButton>(*form, "rbCom3"), Qt::LeftButton);
        QCOMPARE(m_printer->calls, QStringList({"open 0", "open 2"}));
    }

    void buttonsRunTheirFlows()
    {
        ScriptedDialogs::Guard dialogs;
        const auto form = openForm();
        m_printer->calls.clear();
        QTest::mouseClick(find<QPushButton>(*form, "cmdRecibo"), Qt::LeftButton);
        QCOMPARE(m_printer->calls.mid(0, 4), QStringList({"probe", "status", "normal", "cols 0"}));
        QCOMPARE(m_printer->printed.size(), 1 + 3 + 5);
        m_printer->calls.clear();
        QTest::mouseClick(find<QPushButton>(*form, "cmdAutenticar"), Qt::LeftButton);
        QCOMPARE(m_printer->calls.first(), QStringLiteral("probe"));
        QCOMPARE(m_printer->calls.last(), QStringLiteral("online"));
        QCOMPARE(dialogs->shown().size(), 1);
        QTest::mouseClick(find<QPushButton>(*form, "cmdFechar"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }

    void unpaidChargeOpensNoWindow()
    {
        ScriptedDialogs::Guard dialogs;
        billing::ReceiptSource source;
        TfrmZupri::run(source);
        QCOMPARE(
            dialogs->texts(),
            QStringList({QStringLiteral("É necessário fazer a baixa do pagamento primeiro!")}));
    }

    void paidChargeOpensTheWindowWithItsReceipt()
    {
        billing::ReceiptSource source;
        source.charge.pgtoData = QDate(2007, 3, 5);
        source.charge.nossoNum = 42;
        source.today = QDate(2007, 3, 6);
        QString shownReceipt;
        QString shownAuthentication;
        QTimer::singleShot(0, this, [&] {
            QWidget *window = QApplication::activeModalWidget();
            QVERIFY(window);
            QCOMPARE(window->windowTitle(), QStringLiteral("Autenticação Zupri"));
            shownReceipt = find<QPlainTextEdit>(*window, "txtRecibo")->toPlainText();
            shownAuthentication = find<QLineEdit>(*window, "txtAutentica")->text();
            window->close();
        });
        TfrmZupri::run(source);
        QCOMPARE(shownReceipt.split(u'\n').size(), 24);
        QVERIFY(shownReceipt.contains(QStringLiteral("Boleto No.: 42 XT")));
        QCOMPARE(shownAuthentication, QStringLiteral("42 06032007 05032007    R$ 0,00"));
    }
};

QTEST_MAIN(TfrmZupriTest)
#include "TfrmZupriTest.moc"
