#include "students/forms/TfrmTabAuxStaffPage.h"

#include "app/forms/DBNavigator.h"
#include "core/Dialogs.h"
#include "data/forms/FieldBinder.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Table.h"
#include "students/forms/DatasetGrid.h"
#include "students/forms/TeacherHighlightModel.h"
#include "students/structure/Staff.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace students {

namespace {

struct Box
{
    const char *field;
    QString label;
    int span = 1; // columns of boxes taken
    bool capitals = false; // names and places are kept in capitals
};

// The record's boxes, row by row; four label-and-box pairs fit a row.
const QList<QList<Box>> &recordRows()
{
    static const QList<QList<Box>> rows{
        {{"MATRICULA", QStringLiteral("Matrícula")}, {"NOME", QStringLiteral("Nome"), 2, true}, {"SEXO", QStringLiteral("Sexo")}},
        {{"DATANASC", QStringLiteral("Nascimento")}, {"NACIONAL", QStringLiteral("Natural de"), 1, true},
         {"ID", QStringLiteral("Identidade")}, {"CPF", QStringLiteral("CPF")}},
        {{"FUNCAO", QStringLiteral("Função"), 1, true}, {"RELIGIAO", QStringLiteral("Religião"), 1, true},
         {"ORD", QStringLiteral("Ordem")}, {"DIA_ANIV", QStringLiteral("Dia Aniv.")}},
        {{"ENDERECO", QStringLiteral("Endereço"), 3, true}, {"CEP", QStringLiteral("CEP")}},
        {{"BAIRRO", QStringLiteral("Bairro"), 1, true}, {"CIDADE", QStringLiteral("Cidade"), 1, true},
         {"FONE_RES", QStringLiteral("Fone Res.")}, {"FONE_REC", QStringLiteral("Fone Recado")}},
        {{"RAMAL1", QStringLiteral("Ramal 1")}, {"RAMAL2", QStringLiteral("Ramal 2")},
         {"SIT", QStringLiteral("Situação")}, {"DATASIT", QStringLiteral("Data Sit.")}},
        {{"OBSSIT", QStringLiteral("Obs. Situação"), 4}},
        {{"OBS", QStringLiteral("Observações"), 4}},
    };
    return rows;
}

constexpr QSize kPhotoSize(150, 190);

} // namespace

TfrmTabAuxStaffPage::TfrmTabAuxStaffPage(data::TDataModule1 &academic, const QString &photosDir, QWidget *parent)
    : QWidget(parent), m_academic(academic), m_photosDir(photosDir)
{
    setObjectName(QStringLiteral("tsFuncionarios"));
    data::Table &staff = m_academic.tblFuncionarios();
    m_binder = new data::FieldBinder(&staff, this);

    m_photo = new QLabel(this);
    m_photo->setObjectName(QStringLiteral("imgFoto"));
    m_photo->setFixedSize(kPhotoSize);
    m_photo->setFrameShape(QFrame::StyledPanel);
    m_photo->setAlignment(Qt::AlignCenter);

    auto *top = new QHBoxLayout;
    top->addWidget(buildRecord(), 1);
    top->addWidget(m_photo, 0, Qt::AlignTop);

    m_list = new DatasetGrid(&staff,
                             {{QStringLiteral("MATRICULA"), QStringLiteral("Matrícula"), true},
                              {QStringLiteral("NOME"), QStringLiteral("Nome"), true},
                              {QStringLiteral("FUNCAO"), QStringLiteral("Função"), true},
                              {QStringLiteral("FONE_RES"), QStringLiteral("Fone Res."), true},
                              {QStringLiteral("SIT"), QStringLiteral("Situação"), true}},
                             this);
    m_list->setObjectName(QStringLiteral("grdFuncionarios"));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->insertProxy(new TeacherHighlightModel(&staff));
    m_list->setColumnWidth(1, 320);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildNavigator());
    layout->addWidget(m_list, 1);

    connect(&staff, &data::Dataset::currentChanged, this, &TfrmTabAuxStaffPage::showPhoto);
    connect(&staff, &data::Dataset::reset, this, &TfrmTabAuxStaffPage::showPhoto);
    connect(&staff, &data::Dataset::stateChanged, this, &TfrmTabAuxStaffPage::followState);
    showPhoto();
    followState();
}

QWidget *TfrmTabAuxStaffPage::buildRecord()
{
    auto *record = new QWidget(this);
    auto *grid = new QGridLayout(record);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    for (int row = 0; row < recordRows().size(); ++row) {
        int column = 0;
        for (const Box &box : recordRows().at(row)) {
            const QString field = QString::fromLatin1(box.field);
            auto *label = new QLabel(box.label, record);
            grid->addWidget(label, row, column * 2, Qt::AlignRight);
            QWidget *editor = nullptr;
            if (field == u"SEXO") {
                auto *combo = new QComboBox(record);
                combo->setObjectName(QStringLiteral("cbSEXO"));
                combo->addItems({QString(), QStringLiteral("F"), QStringLiteral("M")});
                m_binder->bind(combo, field);
                editor = combo;
            } else {
                auto *line = new QLineEdit(record);
                line->setObjectName(QStringLiteral("txt") + field);
                if (field == u"DATANASC" || field == u"DATASIT")
                    line->setPlaceholderText(QStringLiteral("dd/mm/aaaa"));
                if (field == u"DATANASC")
                    m_birthDate = line;
                m_binder->bind(line, field, box.capitals ? data::FieldBinder::UpperCase : data::FieldBinder::NoOption);
                editor = line;
            }
            label->setBuddy(editor);
            grid->addWidget(editor, row, column * 2 + 1, 1, box.span * 2 - 1);
            column += box.span;
        }
    }
    for (int column = 1; column < 8; column += 2)
        grid->setColumnStretch(column, 1);
    return record;
}

QWidget *TfrmTabAuxStaffPage::buildNavigator()
{
    auto *bar = new QWidget(this);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *navigator = new app::DBNavigator(&m_academic.tblFuncionarios(), bar);
    navigator->setObjectName(QStringLiteral("navFuncionarios"));
    navigator->showEditButtons();
    // What was typed goes into the row before any button acts; text a field can't take stops it.
    navigator->setBeforeAction([this] {
        if (!m_binder->commit())
            throw data::Abort();
    });
    auto *find = new QToolButton(bar);
    find->setObjectName(QStringLiteral("cmdLocalizar"));
    find->setText(QStringLiteral("Localizar"));
    find->setToolTip(QStringLiteral("Localizar por nome ou matrícula"));
    connect(find, &QToolButton::clicked, this, &TfrmTabAuxStaffPage::search);
    layout->addWidget(navigator, 1);
    layout->addWidget(find);
    return bar;
}

void TfrmTabAuxStaffPage::showPhoto()
{
    const data::Table &staff = m_academic.tblFuncionarios();
    const QString path = staff.isOpen() && !staff.isEmpty() ? staffPhotoPath(m_photosDir, staff.value("MATRICULA")) : QString();
    const QPixmap photo(path);
    if (photo.isNull())
        m_photo->clear();
    else
        m_photo->setPixmap(photo.scaled(kPhotoSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

// The birth date is typed only while a record is being inserted or edited.
void TfrmTabAuxStaffPage::followState()
{
    m_birthDate->setEnabled(m_academic.tblFuncionarios().isEditing());
}

void TfrmTabAuxStaffPage::search()
{
    const std::optional<QString> wanted =
        core::dialogs().askText(QStringLiteral("Localizar"), QStringLiteral("Nome ou matrícula:"), QString());
    if (!wanted || wanted->trimmed().isEmpty())
        return;
    data::Table &staff = m_academic.tblFuncionarios();
    const QString text = wanted->trimmed();
    bool number = false;
    text.toLongLong(&number);
    data::LocateOptions options;
    options.caseInsensitive = true;
    options.partialKey = !number;
    const bool found = number ? staff.locate(QStringLiteral("MATRICULA"), {text.toDouble()}, options)
                              : staff.locate(QStringLiteral("NOME"), {text}, options);
    if (!found)
        core::inform(QStringLiteral("Nenhum registro encontrado."), QStringLiteral("Localizar"));
}

} // namespace students
