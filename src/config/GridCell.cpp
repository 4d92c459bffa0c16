#include "GridCell.h"

#include "GridSpinBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

GridCell::GridCell(const EditorDef &def, QWidget *parent)
    : QWidget(parent)
    , m_def(def)
{
    // Cells share their row by weight; an editor's own wish for width (a
    // spin box sized for ten digits) must not push the grid wider.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    build();
    setValue(def.initial);
}

void GridCell::build()
{
    // The two choices of an input stand one above the other: four inputs side
    // by side leave no room for both captions in a line.
    QBoxLayout *layout
        = m_def.kind == EditorKind::Radio ? static_cast<QBoxLayout *>(new QVBoxLayout(this)) : new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(m_def.kind == EditorKind::Radio ? 0 : 6);
    switch (m_def.kind) {
    case EditorKind::Text:
    case EditorKind::Masked:
        m_edit = new QLineEdit(this);
        m_edit->setFrame(false);
        if (m_def.kind == EditorKind::Masked) {
            const QRegularExpression mask(QRegularExpression::anchoredPattern(m_def.mask));
            m_edit->setValidator(new QRegularExpressionValidator(mask, m_edit));
            m_edit->setToolTip(QStringLiteral("Формат: %1").arg(m_def.mask));
        }
        connect(m_edit, &QLineEdit::textEdited, this, [this] {
            if (m_def.kind == EditorKind::Text)
                takeText();
        });
        connect(m_edit, &QLineEdit::editingFinished, this, &GridCell::commitEdit);
        layout->addWidget(m_edit);
        break;
    case EditorKind::Label:
        m_label = new QLabel(this);
        m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(m_label);
        break;
    case EditorKind::IntSpin:
    case EditorKind::FloatSpin:
        m_spin = new GridSpinBox(m_def.minimum, m_def.maximum, m_def.kind == EditorKind::IntSpin ? 0 : m_def.decimals, this);
        connect(m_spin, &QDoubleSpinBox::valueChanged, this, &GridCell::takeSpin);
        layout->addWidget(m_spin);
        break;
    case EditorKind::Check:
        m_check = new QCheckBox(this);
        connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
            m_value = on;
            emit edited();
        });
        layout->addWidget(m_check, 0, Qt::AlignCenter);
        break;
    case EditorKind::Radio: {
        m_closed = new QRadioButton(QStringLiteral("Замкнут"), this);
        m_open = new QRadioButton(QStringLiteral("Разомкнут"), this);
        auto *group = new QButtonGroup(this);
        group->addButton(m_closed);
        group->addButton(m_open);
        connect(m_open, &QRadioButton::toggled, this, [this](bool on) {
            m_value = on;
            emit edited();
        });
        layout->addWidget(m_closed);
        layout->addWidget(m_open);
        break;
    }
    }
}

void GridCell::setValue(const QVariant &value)
{
    m_value = value;
    show(value);
}

void GridCell::show(const QVariant &value)
{
    switch (m_def.kind) {
    case EditorKind::Text:
    case EditorKind::Masked:
        m_edit->setText(value.toString());
        break;
    case EditorKind::Label:
        m_label->setText(displayText());
        break;
    case EditorKind::IntSpin:
    case EditorKind::FloatSpin: {
        const QSignalBlocker block(m_spin);
        m_spin->showValue(value.toDouble());
        break;
    }
    case EditorKind::Check: {
        const QSignalBlocker block(m_check);
        m_check->setChecked(value.toBool());
        break;
    }
    case EditorKind::Radio: {
        const QSignalBlocker blockOpen(m_open);
        const QSignalBlocker blockClosed(m_closed);
        (value.toBool() ? m_open : m_closed)->setChecked(true);
        break;
    }
    }
}

QString GridCell::displayText() const
{
    if (isNull())
        return {};
    switch (m_value.typeId()) {
    case QMetaType::Double:
        return m_spin ? m_spin->textFromValue(m_value.toDouble()) : QString::number(m_value.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return m_value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return m_value.toString();
    }
}

void GridCell::takeText()
{
    m_value = m_edit->text();
    emit edited();
}

void GridCell::takeSpin()
{
    const double entered = m_spin->enteredValue();
    {
        const QSignalBlocker block(m_spin);
        m_spin->showValue(entered);
    }
    m_value = m_def.kind == EditorKind::IntSpin ? QVariant(qint64(entered)) : QVariant(entered);
    emit edited();
}

void GridCell::commitEdit()
{
    if (m_edit && m_def.kind == EditorKind::Masked) {
        // Only a complete text leaves the editor; a half-typed one is dropped.
        if (m_edit->hasAcceptableInput())
            takeText();
        else if (m_edit->text() != m_value.toString())
            show(m_value);
    }
    if (m_spin && m_spin->hasFocus())
        m_spin->interpretText();
}
