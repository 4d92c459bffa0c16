#pragma once

#include <QList>
#include <QWidget>

class DigitalInputsGroup;
class Link;
class Operator;
class QCheckBox;
class QGroupBox;
class QPushButton;
class SelfTest;
class TDigitalSensorParam;
class TestMemo;

// The content of the "Тестирование" page: the test selection, "Старт", the
// result view and the digital inputs check. The page's SelfTest receives
// WM_TEST_FINISHED; the main window hands the link's self-test frames to it.
class TestPage : public QWidget
{
    Q_OBJECT
public:
    TestPage(Link &link, Operator &op, TDigitalSensorParam &InputsState, QWidget *parent = nullptr);

    SelfTest &selfTest() const { return *m_selfTest; }
    TestMemo *memo() const { return m_testMemo; }
    DigitalInputsGroup *inputs() const { return m_inputs; }
    // The bits of the ticked items.
    quint8 selectedTests() const;

public slots:
    void cxButton1Click();
    void Button1Click();

private:
    QGroupBox *buildTestGroup();
    QWidget *buildButtons();

    TestMemo *m_testMemo;
    SelfTest *m_selfTest;
    DigitalInputsGroup *m_inputs;
    QList<QCheckBox *> m_items;
    QPushButton *cxButton1 = nullptr;
    QPushButton *Button1 = nullptr;
};
