#include "app/forms/TfrmSobre.h"

#include "app/Startup.h"
#include "core/ProgramDirs.h"
#include "core/Shell.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

QLabel *addLabel(QVBoxLayout *layout, const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    layout->addWidget(label);
    return label;
}

} // namespace

TfrmSobre::TfrmSobre(const AboutInfo &info, const QPixmap &logo, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSobre"));
    setWindowTitle(info.schoolName);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(logo.scaled(140, 100, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture->setAlignment(Qt::AlignTop);

    auto *texts = new QVBoxLayout;
    QLabel *title = addLabel(texts, "lblTitulo", applicationTitle(), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);
    addLabel(texts, "lblSistema", QStringLiteral("Sistema de Administração Escolar "), this);
    texts->addSpacing(8);
    QLabel *school = addLabel(texts, "lblEscola", info.schoolName, this);
    QFont bold = school->font();
    bold.setBold(true);
    school->setFont(bold);
    addLabel(texts, "lblEndereco", info.address, this);
    const QString separator =
        info.city.isEmpty() || info.state.isEmpty() ? QString() : QStringLiteral(" - ");
    addLabel(texts, "lblCidade", info.city + separator + info.state, this);
    addLabel(texts, "lblCGC", QStringLiteral("CGC: ") + info.cgc, this);
    addLabel(texts, "lblAnoReferencia", QStringLiteral("Ano de referência: ") + info.schoolYear,
             this);
    texts->addSpacing(8);
    addLabel(texts, "lblCredito", creditLine(), this);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *news = new QPushButton(QStringLiteral("&Novidades"), this);
    news->setObjectName(QStringLiteral("cmdNovidades"));
    connect(news, &QPushButton::clicked, this, [] {
        // A missing "leiame.txt" is nobody's business but the reader's.
        core::shell().open(
            core::joinPath(core::programDirs().program, QStringLiteral("leiame.txt")));
    });

    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(news);
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

} // namespace app
