#include "SensorRadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QRadioButton *choice(const QString &caption, QWidget *parent)
{
    auto *button = new QRadioButton(caption, parent);
    button->setAttribute(Qt::WA_TransparentForMouseEvents);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
} // namespace

SensorRadioGroup::SensorRadioGroup(QWidget *parent)
    : QWidget(parent)
    , m_closed(choice(QStringLiteral("Замкнут"), this))
    , m_open(choice(QStringLiteral("Разомкнут"), this))
{
    auto *group = new QButtonGroup(this);
    group->addButton(m_closed);
    group->addButton(m_open);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_closed, 0, Qt::AlignCenter);
    layout->addWidget(m_open, 0, Qt::AlignCenter);
    setValue(false);
}

bool SensorRadioGroup::value() const
{
    return m_open->isChecked();
}

void SensorRadioGroup::setValue(bool open)
{
    (open ? m_open : m_closed)->setChecked(true);
}

QString SensorRadioGroup::shownText() const
{
    return value() ? m_open->text() : m_closed->text();
}
