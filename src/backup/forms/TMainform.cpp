#include "backup/forms/TMainform.h"

#include "backup/forms/TfrmArquivosBackup.h"
#include "backup/forms/TfrmDestino.h"
#include "backup/forms/TfrmStatusBackup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace backup {

namespace {

enum Column
{
    Name,
    Compressed,
    Size,
    DateTime,
};

// Shown as text, sorted by value.
QStandardItem *cell(const QString &text, const QVariant &sortValue, Qt::Alignment alignment)
{
    auto *item = new QStandardItem(text);
    item->setData(sortValue, Qt::UserRole);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setEditable(false);
    return item;
}

} // namespace

TMainform::TMainform(const BackupPlaces &places, QWidget *parent)
    : QDialog(parent), m_screen(*this, places)
{
    setObjectName(QStringLiteral("TMainform"));
    setWindowTitle(QStringLiteral("Back-Ups dos arquivos do sistema (padrão zip files)"));

    m_archive = new QLabel(this);
    m_archive->setObjectName(QStringLiteral("lblArquivo"));
    m_archive->setTextFormat(Qt::PlainText);
    m_archive->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long path is shortened in the middle rather than widening the window.
    m_archive->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblArquivos"));

    m_entries = new QStandardItemModel(0, 4, this);
    m_entries->setHorizontalHeaderLabels({QStringLiteral("Nome do arquivo "),
                                          QStringLiteral("Comprimido para"),
                                          QStringLiteral("Tamanho  Normal"),
                                          QStringLiteral("Data/Hora")});
    m_entries->setSortRole(Qt::UserRole);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setModel(m_entries);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSortingEnabled(true);
    m_grid->sortByColumn(-1, Qt::AscendingOrder); // file order until a title is clicked
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    // The widths the screen always had, widened where a title would not fit in this font.
    for (const auto &[column, width] : {std::pair{Name, 290}, {Compressed, 94}, {Size, 94},
                                        {DateTime, 120}})
        m_grid->setColumnWidth(column, qMax(width, m_grid->horizontalHeader()->sectionSizeHint(column)));
    m_grid->horizontalHeader()->setStretchLastSection(true);

    auto *novo = addButton(QStringLiteral("&Novo"), "cmdNovo", &TMainform::cmdNovoClick);
    auto *abrir = addButton(QStringLiteral("&Abrir "), "cmdAbrir", &TMainform::cmdAbrirClick);
    m_save = addButton(QStringLiteral("&Salvar"), "cmdSalvar", &TMainform::cmdSalvarClick);
    m_restore = addButton(QStringLiteral("&Recuperar"), "cmdRecuperar", &TMainform::cmdRecuperarClick);
    auto *fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    auto *ajuda = addButton(QStringLiteral("Aj&uda"), "cmdAjuda", &TMainform::cmdAjudaClick);
    m_automatic = new QCheckBox(QStringLiteral("Execute o Back-Up Automático"), this);
    m_automatic->setObjectName(QStringLiteral("chkAutomatico"));
    connect(m_automatic, &QCheckBox::clicked, this, &TMainform::chkAutomaticoClick);

    // What "&Salvar" copies, so nobody wonders which year of which place an archive holds.
    auto *place = new QLabel(QStringLiteral("Dados: ") + m_screen.dataLabel(), this);
    place->setObjectName(QStringLiteral("lblDados"));
    place->setTextFormat(Qt::PlainText);
    place->setToolTip(places.dataDir);
    place->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("Arquivo de Back-Up:"), this));
    name->addWidget(m_archive, 1);
    name->addWidget(new QLabel(QStringLiteral("Arquivos"), this));
    name->addWidget(m_count);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {novo, abrir, m_save, m_restore, fechar})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ajuda);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(place);
    layout->addLayout(name);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_automatic);
    layout->addLayout(buttons);

    // Where the screen has always opened, kept on the screen of a small monitor.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    resize(qMin(734, available.width()), qMin(534, available.height()));
    move(available.topLeft() + QPoint(qMin(70, available.width() - width()),
                                      qMin(48, available.height() - height())));
    showState();
}

TMainform::~TMainform() = default;

QPushButton *TMainform::addButton(const QString &caption, const char *objectName,
                                  void (TMainform::*handler)())
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, handler);
    return b;
}

void TMainform::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    showArchiveName();
}

void TMainform::showArchiveName()
{
    const QString name = m_screen.archiveLabel();
    m_archive->setText(m_archive->fontMetrics().elidedText(name, Qt::ElideMiddle, m_archive->width()));
    m_archive->setToolTip(name);
}

void TMainform::showState()
{
    showArchiveName();
    const QList<ZipEntry> &entries = m_screen.zip().entries();
    m_count->setText(QString::number(entries.size()));
    m_save->setEnabled(m_screen.saveEnabled());
    m_restore->setEnabled(m_screen.restoreEnabled());
    m_automatic->setChecked(m_screen.automatic());

    m_entries->removeRows(0, m_entries->rowCount());
    const Qt::Alignment right = Qt::AlignRight;
    for (const ZipEntry &entry : entries) {
        const QDateTime when = entry.dateTime();
        m_entries->appendRow(
            {cell(entry.name, entry.name.toLower(), Qt::AlignLeft),
             cell(QString::number(entry.compressedSize), entry.compressedSize, right),
             cell(QString::number(entry.size), entry.size, right),
             cell(when.toString(QStringLiteral("dd/MM/yyyy  hh:mm")), when, Qt::AlignLeft)});
    }
}

void TMainform::cmdNovoClick()
{
    m_screen.newArchive();
    showState();
}

void TMainform::cmdAbrirClick()
{
    m_screen.openArchive();
    showState();
}

void TMainform::chkAutomaticoClick()
{
    m_screen.setAutomatic(m_automatic->isChecked());
    showState();
}

void TMainform::cmdSalvarClick()
{
    m_screen.save();
    showState();
}

void TMainform::cmdRecuperarClick()
{
    m_screen.restore();
    showState();
    if (m_screen.closedAsRestore())
        accept();
}

void TMainform::cmdAjudaClick()
{
    m_screen.help();
}

std::optional<FileChoice> TMainform::chooseFiles(const QString &directory, bool automatic)
{
    TfrmArquivosBackup chooser(directory, automatic, this);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.choice();
}

std::optional<RestoreChoice> TMainform::chooseDestination(const QString &directory)
{
    TfrmDestino destination(directory, this);
    if (destination.exec() != QDialog::Accepted)
        return std::nullopt;
    return destination.choice();
}

QStringList TMainform::selectedEntries() const
{
    QStringList names;
    for (const QModelIndex &row : m_grid->selectionModel()->selectedRows(Name))
        names.append(row.data().toString());
    return names;
}

void TMainform::runInStatusWindow(const QString &caption,
                                  const std::function<void(core::RunReporter &)> &job)
{
    TfrmStatusBackup status(caption, this);
    status.run(job);
}

} // namespace backup
