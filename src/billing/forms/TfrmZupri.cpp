#include "billing/forms/TfrmZupri.h"

#include "billing/receipt/ReceiptCommand.h"
#include "billing/receipt/ZupriTicketPrinter.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A ticket printer with a receipt coming out of it.
QPixmap printerPicture()
{
    QPixmap picture(96, 112);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(24, 4, 48, 60));
    painter.setPen(QPen(Qt::gray, 1));
    for (int y = 14; y < 60; y += 8)
        painter.drawLine(QPointF(30, y), QPointF(y % 16 ? 58 : 66, y));
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(QColor(70, 80, 95));
    painter.drawRoundedRect(QRectF(6, 56, 84, 44), 6, 6);
    painter.setBrush(QColor(30, 30, 30));
    painter.drawRect(QRectF(20, 60, 56, 5));
    painter.setBrush(QColor(60, 200, 90));
    painter.drawEllipse(QPointF(76, 88), 4, 4);
    return picture;
}

} // namespace

TfrmZupri::TfrmZupri(const QStringList &receipt, const QString &authentication,
                     std::unique_ptr<billing::TicketPrinter> printer, QWidget *parent)
    : QDialog(parent),
      m_printer(printer ? std::move(printer) : std::make_unique<billing::ZupriTicketPrinter>()),
      m_flows(*m_printer), m_receipt(receipt), m_authentication(authentication)
{
    setObjectName("TfrmZupri");
    setWindowTitle(QStringLiteral("Autenticação Zupri"));

    auto *image = new QLabel(this);
    image->setObjectName("Image1");
    image->setPixmap(printerPicture());
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *portBox = new QGroupBox(QStringLiteral("Porta Seial da Zupri"), this);
    portBox->setObjectName("rgPorta");
    auto *ports = new QButtonGroup(this);
    auto *portLayout = new QHBoxLayout(portBox);
    const QStringList items = billing::TicketPrintFlows::portItems();
    for (int item = 0; item < items.size(); ++item) {
        auto *button = new QRadioButton(items.at(item), portBox);
        button->setObjectName(QStringLiteral("rbCom%1").arg(item + 1));
        ports->addButton(button, item);
        portLayout->addWidget(button);
    }
    ports->button(0)->setChecked(true);
    connect(ports, &QButtonGroup::idClicked, this, &TfrmZupri::rgPortaClick);

    // The receipt reads as it prints: one column per character.
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    auto *receiptText = new QPlainTextEdit(this);
    receiptText->setObjectName("txtRecibo");
    receiptText->setReadOnly(true);
    receiptText->setFont(fixed);
    receiptText->setLineWrapMode(QPlainTextEdit::NoWrap);
    receiptText->setPlainText(receipt.join(u'\n'));
    const QFontMetrics metrics(fixed);
    receiptText->setMinimumSize(metrics.horizontalAdvance(QString(44, u'M')),
                                metrics.lineSpacing() * 26);

    auto *authenticationText = new QLineEdit(authentication, this);
    authenticationText->setObjectName("txtAutentica");
    authenticationText->setReadOnly(true);
    authenticationText->setFont(fixed);

    auto *recibo = new QPushButton(QStringLiteral("&Recibo"), this);
    recibo->setObjectName("cmdRecibo");
    auto *autenticar = new QPushButton(QStringLiteral("&Autenticar"), this);
    autenticar->setObjectName("cmdAutenticar");
    auto *fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    fechar->setObjectName("cmdFechar");
    connect(recibo, &QPushButton::clicked, this, &TfrmZupri::cmdReciboClick);
    connect(autenticar, &QPushButton::clicked, this, &TfrmZupri::cmdAutenticarClick);
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(recibo);
    buttons->addWidget(autenticar);
    buttons->addStretch(1);
    buttons->addWidget(fechar);
    auto *texts = new QVBoxLayout;
    texts->addWidget(portBox);
    texts->addWidget(receiptText, 1);
    texts->addWidget(authenticationText);
    texts->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(image);
    layout->addLayout(texts, 1);

    // Every opening starts on the first port, whatever an earlier window chose.
    m_flows.selectPort(0);
}

TfrmZupri::~TfrmZupri() = default;

void TfrmZupri::run(const billing::ReceiptSource &source, QWidget *parent)
{
    const std::optional<billing::Receipt> receipt = billing::prepareReceipt(source);
    if (!receipt)
        return;
    TfrmZupri window(receipt->lines, receipt->authentication, nullptr, parent);
    window.exec();
}

void TfrmZupri::rgPortaClick(int item)
{
    m_flows.selectPort(item);
}

void TfrmZupri::cmdReciboClick()
{
    m_flows.printReceipt(m_receipt);
}

void TfrmZupri::cmdAutenticarClick()
{
    m_flows.authenticate(m_authentication);
}
