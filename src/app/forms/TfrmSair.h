#pragma once

#include <QDialog>

class QMovie;

// The question asked before the program ends.
namespace app {

class TfrmSair : public QDialog
{
    Q_OBJECT
public:
    // exec() returns this when the user answers "&Não".
    static constexpr int kNo = 2;

    // The animation comes from `animationFile` (doorin.gif beside the program); a missing or
    // unreadable file just leaves it out.
    explicit TfrmSair(const QString &animationFile, QWidget *parent = nullptr);

    bool hasAnimation() const { return m_movie != nullptr; }

private:
    QMovie *m_movie = nullptr;
};

// "&Não" cancels the close; any other answer ends the program.
bool answerEndsProgram(int dialogResult);

} // namespace app
