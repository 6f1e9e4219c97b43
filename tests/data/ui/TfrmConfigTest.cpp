#include "data/forms/TfrmConfig.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

class TfrmConfigTest : public QObject
{
    Q_OBJECT

private:
    int m_saves = 0;
    QString m_saveError; // what the next saves fail with; empty: they succeed

    std::unique_ptr<TfrmConfig> openForm()
    {
        auto form = std::make_unique<TfrmConfig>(nullptr, [this] {
            ++m_saves;
            data::SettingsSaveResult result;
            result.error = m_saveError;
            return result;
        });
        form->show();
        return form;
    }
    template <typename T = QLineEdit> static T *find(const TfrmConfig &form, const char *name)
    {
        T *widget = form.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("missing %s", name);
        return widget;
    }
    static void click(const TfrmConfig &form, const char *name)
    {
        QTest::mouseClick(find<QPushButton>(form, name), Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_saves = 0;
        m_saveError.clear();
        data::settings() = data::Settings::defaults("2009");
    }

    void showsThreeTabsWithTheRecord()
    {
        data::settings().Arredondamento = 2;
        data::settings().Juros = 0.033;
        const auto form = openForm();
        QCOMPARE(form->windowTitle(), QStringLiteral("Configuração"));
        const auto *pages = find<QTabWidget>(*form, "PageControl1");
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->tabText(1), QStringLiteral("Critérios das Avaliações"));
        QCOMPARE(pages->tabText(2), QStringLiteral("Outros Dados"));
        QCOMPARE(find(*form, "txtJuros")->text(), QStringLiteral("0,03"));
        QCOMPARE(find(*form, "txtAno_Ref")->text(), QStringLiteral("2009"));
        QCOMPARE(find(*form, "txtTermo_Func")->text(), QStringLiteral("Funcionários"));
        QVERIFY(find<QRadioButton>(*form, "rbArredondamento2")->isChecked());
        QVERIFY(find<QCheckBox>(*form, "chkUsa_Rede"));
        QVERIFY(find<QCheckBox>(*form, "chkRecup_Media"));
    }

    void limitsEveryField()
    {
        const auto form = openForm();
        const QList<QPair<const char *, int>> limits = {
            {"txtEstabel", 60},      {"txtEndereco", 60},
            {"txtMunicipio", 30},    {"txtUF", 2},
            {"txtCGC", 18},          {"txtFone", 14},
            {"txtNum_Cadastro", 15}, {"txtJuros", 4},
            {"txtAno_Ref", 4},       {"txtUni_Media", 1},
            {"txtGer_Media", 1},     {"txtPeso_1", 2},
            {"txtPeso_2", 2},        {"txtUnid_Aval", 1},
            {"txtLimite_Dep", 1},    {"txtPesoUND1", 2},
            {"txtPesoUND4", 2},      {"txtData_Venc", 2},
            {"txtTermo_Func", 12},   {"txtTermo_Unidade", 10},
            {"txtTermo_Recup", 5}};
        for (const auto &[name, limit] : limits)
            QCOMPARE(find(*form, name)->maxLength(), limit);
    }

    void identityIsOpenOnlyWhileTheSchoolHasNoName()
    {
        auto form = openForm();
        for (const char *name : {"txtEstabel", "txtEndereco", "txtMunicipio", "txtUF", "txtCGC"})
            QVERIFY(find(*form, name)->isEnabled());
        find(*form, "txtEstabel")->setText(QStringLiteral("COLÉGIO D'ÁVILA"));
        find(*form, "txtUF")->setText(QStringLiteral("BA"));
        click(*form, "cmdSalvar");
        QCOMPARE(m_saves, 1);
        QCOMPARE(data::settings().Estabel, QStringLiteral("COLÉGIO D'ÁVILA"));
        QCOMPARE(data::settings().UF, QStringLiteral("BA"));

        form = openForm();
        for (const char *name : {"txtEstabel", "txtEndereco", "txtMunicipio", "txtUF", "txtCGC"})
            QVERIFY(!find(*form, name)->isEnabled());
        QVERIFY(find(*form, "txtFone")->isEnabled());
        QCOMPARE(find(*form, "txtEstabel")->text(), QStringLiteral("COLÉGIO D'ÁVILA"));
    }

    void termsAreTypedInUpperCase()
    {
        const auto form = openForm();
        QLineEdit *term = find(*form, "txtTermo_Recup");
        term->clear();
        QTest::keyClicks(term, QStringLiteral("reav"));
        QCOMPARE(term->text(), QStringLiteral("REAV"));
        QLineEdit *phone = find(*form, "txtFone");
        QTest::keyClicks(phone, QStringLiteral("ramal"));
        QVERIFY(phone->text().endsWith(QStringLiteral("ramal")));
    }

    void thePixKeyIsEditedOnTheSchoolTabEvenWhenTheIdentityIsLocked()
    {
        data::settings().Estabel = QStringLiteral("COLÉGIO MODELO");
        const auto form = openForm();
        QVERIFY(!find(*form, "txtEstabel")->isEnabled());
        QLineEdit *key = find(*form, "txtPix_Chave");
        QVERIFY(key->isEnabled());
        QCOMPARE(key->maxLength(), 77);
        QCOMPARE(find(*form, "txtPix_Nome")->maxLength(), 25);
        QCOMPARE(find(*form, "txtPix_Cidade")->maxLength(), 15);
        QVERIFY(find<QTabWidget>(*form, "PageControl1")->widget(0)->isAncestorOf(key));
        key->setText(QStringLiteral("pix@colegio.com.br"));
        QTest::keyClicks(find(*form, "txtPix_Nome"), QStringLiteral("colegio modelo"));
        find(*form, "txtPix_Cidade")->setText(QStringLiteral("RECIFE"));
        click(*form, "cmdSalvar");
        QCOMPARE(m_saves, 1);
        QCOMPARE(data::settings().Pix_Chave, QStringLiteral("pix@colegio.com.br"));
        QCOMPARE(data::settings().Pix_Nome, QStringLiteral("COLEGIO MODELO"));
        QCOMPARE(data::settings().Pix_Cidade, QStringLiteral("RECIFE"));
    }

    void savesTheEditedItems()
    {
        const auto form = openForm();
        find(*form, "txtJuros")->setText(QStringLiteral("0,05"));
        find(*form, "txtUni_Media")->setText(QStringLiteral("8"));
        find(*form, "txtPesoUND2")->setText(QStringLiteral("2"));
        find<QCheckBox>(*form, "chkRecup_Media")->setChecked(true);
        find<QRadioButton>(*form, "rbArredondamento1")->setChecked(true);
        find(*form, "txtData_Venc")->setText(QStringLiteral("5"));
        click(*form, "cmdSalvar");
        QCOMPARE(m_saves, 1);
        QVERIFY(form->isVisible()); // saving keeps the form open
        const data::Settings &s = data::settings();
        QCOMPARE(s.Juros, 0.05);
        QCOMPARE(s.Uni_Media, 8);
        QCOMPARE(s.unitPassMark, 7.0); // derived values follow when the form closes
        QCOMPARE(s.PesoUND2, 2);
        QVERIFY(s.Recup_Media);
        QCOMPARE(s.Arredondamento, 1);
        QCOMPARE(s.Data_Venc, 5);

        form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(m_saves, 2); // closing saves again
        QCOMPARE(data::settings().unitPassMark, 8.0);
    }

    void aFieldThatDoesNotConvertAsksAbortRetryIgnore()
    {
        ScriptedDialogs::Guard dialogs;
        const auto form = openForm();
        find(*form, "txtFone")->setText(QStringLiteral("3245-6789"));
        find(*form, "txtUni_Media")->setText(QStringLiteral("x"));
        find(*form, "txtGer_Media")->setText(QStringLiteral("5"));

        dialogs->answer(core::Button::Abort);
        click(*form, "cmdSalvar");
        QCOMPARE(dialogs->shown().size(), 1);
        const ScriptedDialogs::Shown &box = dialogs->last();
        QCOMPARE(box.text,
                 QStringLiteral("Não consegui ler corretamente. Verifique os campos modificados."));
        QCOMPARE(box.caption, QStringLiteral("Erro"));
        QVERIFY(box.icon == core::Icon::Warning);
        QVERIFY(box.buttons == (core::Button::Abort | core::Button::Retry | core::Button::Ignore));
        QVERIFY(form->isVisible());
        QCOMPARE(m_saves, 0);
        QCOMPARE(data::settings().Fone, QStringLiteral("3245-6789")); // read before the failure
        QCOMPARE(data::settings().Ger_Media, 6);                      // never reached

        dialogs->answer(core::Button::Retry);
        form->close();
        QVERIFY(form->isVisible());

        dialogs->answer(core::Button::Ignore);
        form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(m_saves, 0);
        QCOMPARE(dialogs->shown().size(), 3);
    }

    void ignoreOnSaveClosesWithoutSavingAgain()
    {
        ScriptedDialogs::Guard dialogs;
        const auto form = openForm();
        find(*form, "txtUnid_Aval")->setText(QStringLiteral("5"));
        dialogs->answer(core::Button::Ignore);
        click(*form, "cmdSalvar");
        QVERIFY(!form->isVisible());
        QCOMPARE(m_saves, 0);
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(data::settings().Unid_Aval, 4);
    }

    void aSaveThatFailsIsShownAndTheFormStillCloses()
    {
        ScriptedDialogs::Guard dialogs;
        m_saveError = QStringLiteral("database is locked");
        const auto form = openForm();
        find(*form, "txtUni_Media")->setText(QStringLiteral("8"));
        click(*form, "cmdSalvar");
        QCOMPARE(m_saves, 1);
        QVERIFY(form->isVisible());
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(dialogs->last().text,
                 QStringLiteral("Não foi possível gravar a configuração.\rdatabase is locked\r"
                                "As alterações valem apenas até o fim desta sessão."));
        QCOMPARE(dialogs->last().caption, QStringLiteral("Erro"));
        QVERIFY(dialogs->last().icon == core::Icon::Error);
        QCOMPARE(data::settings().Uni_Media, 8); // in memory for this session

        form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(m_saves, 2);
        QCOMPARE(dialogs->shown().size(), 2);
        QCOMPARE(data::settings().unitPassMark, 8.0);
    }

    void aFineWrittenWithAPointIsNotTakenForThousands()
    {
        ScriptedDialogs::Guard dialogs;
        const auto form = openForm();
        find(*form, "txtJuros")->setText(QStringLiteral("0.05"));
        dialogs->answer(core::Button::Abort);
        click(*form, "cmdSalvar");
        QCOMPARE(m_saves, 0);
        QCOMPARE(dialogs->last().text,
                 QStringLiteral("Não consegui ler corretamente. Verifique os campos modificados."));
        QCOMPARE(data::settings().Juros, 0.03);
    }
};

QTEST_MAIN(TfrmConfigTest)
#include "TfrmConfigTest.moc"
