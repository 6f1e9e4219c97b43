#pragma once

#include <QDialog>
#include <optional>

class QComboBox;

// "Gerar Cobrança": which generator "&Cobrança" opens.
class TfrmTipoCobranca : public QDialog
{
    Q_OBJECT

public:
    enum class Choice { Mensalidades, OutrasTaxas };

    explicit TfrmTipoCobranca(QWidget *parent = nullptr);
    Choice choice() const;

    // The choice, or nullopt when cancelled.
    static std::optional<Choice> ask(QWidget *parent);

private:
    QComboBox *m_kind;
};
