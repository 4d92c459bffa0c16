#include "TestPage.h"

#include "DigitalInputsGroup.h"
#include "SelfTest.h"
#include "TestItems.h"
#include "TestMemo.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int TestGroupColumns = 2;
} // namespace

TestPage::TestPage(Link &link, Operator &op, TDigitalSensorParam &InputsState, QWidget *parent)
    : QWidget(parent)
    , m_testMemo(new TestMemo(this))
    , m_selfTest(new SelfTest(link, op, *m_testMemo, this))
    , m_inputs(new DigitalInputsGroup(InputsState, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildTestGroup());
    layout->addWidget(m_inputs);
    layout->addWidget(buildButtons());
    layout->addWidget(m_testMemo, 1);
}

QGroupBox *TestPage::buildTestGroup()
{
    auto *CBTestGroup = new QGroupBox(QStringLiteral("Тесты"), this);
    CBTestGroup->setObjectName(QStringLiteral("CBTestGroup"));
    auto *grid = new QGridLayout(CBTestGroup);
    const QList<TestItems::Item> &items = TestItems::items();
    // Filled column by column, like a check group.
    const int rows = int((items.size() + TestGroupColumns - 1) / TestGroupColumns);
    for (int i = 0; i < items.size(); ++i) {
        auto *box = new QCheckBox(items.at(i).caption, CBTestGroup);
        grid->addWidget(box, i % rows, i / rows);
        m_items.append(box);
    }
    return CBTestGroup;
}

QWidget *TestPage::buildButtons()
{
    auto *panel = new QWidget(this);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    cxButton1 = new QPushButton(QStringLiteral("Старт"), panel);
    cxButton1->setObjectName(QStringLiteral("cxButton1"));
    connect(cxButton1, &QPushButton::clicked, this, &TestPage::cxButton1Click);
    // A bench helper that switches the relays off; not shown to operators.
    Button1 = new QPushButton(QStringLiteral("Button1"), panel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->hide();
    connect(Button1, &QPushButton::clicked, this, &TestPage::Button1Click);
    layout->addWidget(cxButton1);
    layout->addWidget(Button1);
    layout->addStretch();
    return panel;
}

quint8 TestPage::selectedTests() const
{
    quint8 mask = 0;
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i)->isChecked())
            mask |= TestItems::items().at(i).bit;
    }
    return mask;
}

void TestPage::cxButton1Click()
{
    m_selfTest->StartSelfTest(selectedTests());
}

void TestPage::Button1Click()
{
    m_selfTest->Button1Click();
}
