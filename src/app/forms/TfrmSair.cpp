#include "app/forms/TfrmSair.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace app {

TfrmSair::TfrmSair(const QString &animationFile, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSair"));
    setWindowTitle(QStringLiteral("Fim de Programa"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Animate1"));
    if (QFileInfo::exists(animationFile)) {
        auto movie = std::make_unique<QMovie>(animationFile);
        // A damaged file passes isValid(); only a readable first frame proves it.
        if (movie->isValid() && movie->jumpToFrame(0) && !movie->currentImage().isNull()) {
            movie->setParent(this);
            m_movie = movie.release();
            picture->setMovie(m_movie);
            m_movie->start();
        }
    }
    picture->setVisible(m_movie != nullptr);

    auto *question = new QLabel(QStringLiteral("Você deseja sair do programa agora?"), this);
    question->setObjectName(QStringLiteral("lblPergunta"));

    auto *yes = new QPushButton(QStringLiteral("&Sim"), this);
    yes->setObjectName(QStringLiteral("cmdSim"));
    yes->setDefault(true);
    auto *no = new QPushButton(QStringLiteral("&Não"), this);
    no->setObjectName(QStringLiteral("cmdNao"));
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, [this] { done(kNo); });

    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(question, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

bool answerEndsProgram(int dialogResult)
{
    return dialogResult != TfrmSair::kNo;
}

} // namespace app
