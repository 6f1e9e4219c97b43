#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace data {
class Dataset;
}

// "Localizar": finds a student of the register by part of the name or of the enrolment number,
// regardless of case and accents. Each "&Localizar" goes to the next student that matches.
class TfrmLocalizar : public QDialog
{
    Q_OBJECT

public:
    // `filtered`: the register shows only part of the students, which the message says.
    TfrmLocalizar(const data::Dataset &students, bool filtered, QWidget *parent = nullptr);

signals:
    // The position in view of the student found.
    void found(int position);

private:
    void cmdLocalizarClick();

    const data::Dataset &m_students;
    bool m_filtered;
    QLineEdit *m_text = nullptr;
    QLabel *m_result = nullptr;
};
