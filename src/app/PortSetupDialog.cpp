#include "PortSetupDialog.h"

#include "BaudRates.h"
#include "PortCatalog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template<typename T>
void addChoices(QComboBox *box, std::initializer_list<std::pair<const char *, T>> choices, T current)
{
    for (const auto &[text, value] : choices)
        box->addItem(QString::fromUtf8(text), QVariant::fromValue(static_cast<int>(value)));
    box->setCurrentIndex(std::max(0, box->findData(static_cast<int>(current))));
}

template<typename T>
T chosen(const QComboBox *box)
{
    return static_cast<T>(box->currentData().toInt());
}
} // namespace

PortSetupDialog::PortSetupDialog(const Port::Settings &settings, const QString &problem, QWidget *parent)
    : QDialog(parent)
    , m_initial(settings)
    , m_port(new QComboBox(this))
    , m_description(new QLabel(this))
    , m_baud(new QComboBox(this))
    , m_dataBits(new QComboBox(this))
    , m_stopBits(new QComboBox(this))
    , m_parity(new QComboBox(this))
    , m_flow(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Setup"));

    // Editable: a pseudo-terminal of the simulator (/dev/pts/N) is not listed.
    m_port->setEditable(true);
    m_port->setInsertPolicy(QComboBox::NoInsert);
    const auto ports = PortCatalog::ports();
    for (const auto &entry : ports)
        m_port->addItem(entry.name, entry.description);
    m_port->setCurrentText(settings.name);
    m_description->setWordWrap(true);
    connect(m_port, &QComboBox::currentTextChanged, this, &PortSetupDialog::showDescription);
    showDescription();

    // Any other number typed in is a custom speed.
    m_baud->setEditable(true);
    m_baud->setInsertPolicy(QComboBox::NoInsert);
    m_baud->lineEdit()->setValidator(new QIntValidator(1, 4000000, m_baud));
    for (qint32 rate : BaudRates::table())
        m_baud->addItem(QString::number(rate));
    m_baud->setCurrentText(QString::number(settings.baudRate));

    addChoices<QSerialPort::DataBits>(
        m_dataBits, {{"5", QSerialPort::Data5}, {"6", QSerialPort::Data6}, {"7", QSerialPort::Data7}, {"8", QSerialPort::Data8}},
        settings.dataBits);
    addChoices<QSerialPort::StopBits>(
        m_stopBits, {{"1", QSerialPort::OneStop}, {"1.5", QSerialPort::OneAndHalfStop}, {"2", QSerialPort::TwoStop}},
        settings.stopBits);
    addChoices<QSerialPort::Parity>(m_parity,
                                    {{"None", QSerialPort::NoParity},
                                     {"Odd", QSerialPort::OddParity},
                                     {"Even", QSerialPort::EvenParity},
                                     {"Mark", QSerialPort::MarkParity},
                                     {"Space", QSerialPort::SpaceParity}},
                                    settings.parity);
    addChoices<QSerialPort::FlowControl>(
        m_flow, {{"None", QSerialPort::NoFlowControl}, {"Hardware", QSerialPort::HardwareControl}, {"Software", QSerialPort::SoftwareControl}},
        settings.flowControl);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Port"), m_port);
    form->addRow(QString(), m_description);
    form->addRow(QStringLiteral("Baud rate"), m_baud);
    form->addRow(QStringLiteral("Data bits"), m_dataBits);
    form->addRow(QStringLiteral("Stop bits"), m_stopBits);
    form->addRow(QStringLiteral("Parity"), m_parity);
    form->addRow(QStringLiteral("Flow control"), m_flow);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (!problem.isEmpty()) {
        auto *why = new QLabel(problem, this);
        why->setObjectName(QStringLiteral("problem"));
        why->setWordWrap(true);
        why->setStyleSheet(QStringLiteral("color: #b00000;"));
        layout->addWidget(why);
    }
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

void PortSetupDialog::showDescription()
{
    const int i = m_port->findText(m_port->currentText());
    m_description->setText(i >= 0 ? m_port->itemData(i).toString() : QString());
}

Port::Settings PortSetupDialog::settings() const
{
    Port::Settings s = m_initial;
    s.name = m_port->currentText().trimmed();
    bool ok = false;
    const qint32 rate = m_baud->currentText().toInt(&ok);
    if (ok && rate > 0)
        s.baudRate = rate;
    s.dataBits = chosen<QSerialPort::DataBits>(m_dataBits);
    s.stopBits = chosen<QSerialPort::StopBits>(m_stopBits);
    s.parity = chosen<QSerialPort::Parity>(m_parity);
    s.flowControl = chosen<QSerialPort::FlowControl>(m_flow);
    return s;
}
