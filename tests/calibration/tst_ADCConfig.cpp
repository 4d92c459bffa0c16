// The ADC calibration dialog against the simulated terminal.
#include "ConnectLink.h"
#include "ScriptedPort.h"
#include "ScriptedSim.h"
#include "VirtualPump.h"

#include "calibration/SingleSpinBox.h"
#include "calibration/TfrmADCConfig.h"
#include "config/TerminalParams.h"
#include "link/Link.h"
#include "sim/SimTerminal.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QtEndian>

namespace {
constexpr quint8 ReadAdcValue = 0x24;
constexpr quint8 ReadAdcFactor = 0x25;
constexpr quint8 WriteAdcFactor = 0xA4;

QByteArray singleBytes(float x)
{
    QByteArray b(4, 0);
    qToLittleEndian(x, b.data());
    return b;
}

struct Bench
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    SimTerminal sim{3};
    ScriptedSim host{pump, port, sim};
    TerminalParams params{nullptr, [this](const TBuf &request) { return link.Transact(request); }};
    TfrmADCConfig dialog{params.ADCValue, params.ADCFactor};
    QStringList errors;

    Bench()
    {
        connectLink(link, port);
        dialog.ShowError = [this](const QString &text) { errors << text; };
    }

    // Request bodies the program wrote with this code.
    QList<QByteArray> sent(quint8 code) const
    {
        QList<QByteArray> bodies;
        for (const QByteArray &frame : port.written)
            if (static_cast<quint8>(frame.at(4)) == code)
                bodies << frame.mid(4, frame.size() - 5);
        return bodies;
    }
    void setTerminalFactor(float x) { sim.parameters().setValue(ReadAdcFactor, singleBytes(x)); }
};
} // namespace

class tst_ADCConfig : public QObject
{
    Q_OBJECT
private slots:
    void calculate_data();
    void calculate();
    void calculateWithAdcZero();
    void refreshReadsTheTerminal();
    void refreshWithoutAnswer();
    void saveFollowsTheWriteRule_data();
    void saveFollowsTheWriteRule();
    void saveTakesTypedText();
    void calibratedFlag_data();
    void calibratedFlag();
};

void tst_ADCConfig::calculate_data()
{
    QTest::addColumn<double>("voltage");
    QTest::addColumn<int>("adc");
    QTest::addColumn<float>("factor");

    QTest::newRow("12385 mV over 1000 mV") << 12385.0 << 1000 << 12.0f;
    QTest::newRow("385 mV gives 0") << 385.0 << 1000 << 0.0f;
    QTest::newRow("below 385 mV is negative") << 300.0 << 1000 << -0.085f;
    QTest::newRow("rounded to single") << 12600.5 << 1234 << static_cast<float>((12600.5 - 385.0) / 1234.0);
}

void tst_ADCConfig::calculate()
{
    QFETCH(double, voltage);
    QFETCH(int, adc);
    QFETCH(float, factor);
    Bench b;
    b.dialog.eVoltage->setValue(voltage);
    b.dialog.eADC->setValue(adc);

    b.dialog.cxButton2->click();

    QCOMPARE(b.dialog.eCF->floatValue(), factor);
    QVERIFY(b.port.written.isEmpty());
}

void tst_ADCConfig::calculateWithAdcZero()
{
    Bench b;
    b.dialog.eVoltage->setValue(12385);
    b.dialog.eADC->setValue(0);
    b.dialog.eCF->setFloat(7.5f);

    b.dialog.cxButton2->click();

    QCOMPARE(b.errors.size(), 1);
    QVERIFY(b.errors.first().contains("Значение с АЦП равно 0"));
    QCOMPARE(b.dialog.eCF->floatValue(), 7.5f);
}

void tst_ADCConfig::refreshReadsTheTerminal()
{
    Bench b;
    b.setTerminalFactor(12.345678f);
    b.sim.setSupplyMillivolts(12600);

    b.dialog.cxButton1->click();

    QCOMPARE(b.dialog.eADC->value(), int(b.sim.adcMillivolts()));
    QVERIFY(b.dialog.eADC->value() > 0);
    QCOMPARE(b.dialog.eCF->floatValue(), 12.345678f);
    QCOMPARE(b.dialog.eCF->text(), QString("12.345678"));
    QCOMPARE(b.sent(ReadAdcValue).size(), 2); // the second reading counts
    QCOMPARE(b.sent(ReadAdcFactor).size(), 1);
}

void tst_ADCConfig::refreshWithoutAnswer()
{
    Bench b;
    b.dialog.eADC->setValue(1000);
    b.dialog.eCF->setFloat(12.0f);
    b.link.PortConnected = false;

    b.dialog.cxButton1->click();

    QCOMPARE(b.dialog.eADC->value(), 0);
    QCOMPARE(b.dialog.eCF->floatValue(), 0.0f);
}

void tst_ADCConfig::saveFollowsTheWriteRule_data()
{
    QTest::addColumn<bool>("readFirst");
    QTest::addColumn<bool>("loadAfterRead");
    QTest::addColumn<float>("saved");
    QTest::addColumn<bool>("written");

    QTest::newRow("value just read: nothing sent") << true << false << 9.5f << false;
    QTest::newRow("new value after a read") << true << false << 11.25f << true;
    QTest::newRow("negative value after a read") << true << false << -0.085f << true;
    QTest::newRow("never read: always sent") << false << false << 9.5f << true;
    QTest::newRow("loaded after the read: sent again") << true << true << 9.5f << true;
}

void tst_ADCConfig::saveFollowsTheWriteRule()
{
    QFETCH(bool, readFirst);
    QFETCH(bool, loadAfterRead);
    QFETCH(float, saved);
    QFETCH(bool, written);
    Bench b;
    b.setTerminalFactor(9.5f);
    b.params.ADCFactor.SetFloat(9.5f);
    if (readFirst)
        b.dialog.cxButton1->click();
    if (loadAfterRead) {
        b.params.ADCFactor.LoadFromStore(); // as the parameter file does
        b.params.ADCFactor.SetFloat(9.5f);
    }
    b.dialog.eCF->setFloat(saved);

    b.dialog.cxButton3->click();

    const QList<QByteArray> writes = b.sent(WriteAdcFactor);
    QCOMPARE(writes.size(), written ? 1 : 0);
    if (written) {
        QCOMPARE(writes.first(), QByteArray("\xA4\x04") + singleBytes(saved));
        QCOMPARE(b.sim.parameters().adcFactor(), saved);
    }
    QVERIFY(b.dialog.Calibrated);
    QCOMPARE(b.dialog.result(), int(QDialog::Accepted));

    // Saving the value just written again sends nothing while it is in step with the terminal.
    if (readFirst && !loadAfterRead) {
        b.dialog.cxButton3->click();
        QCOMPARE(b.sent(WriteAdcFactor).size(), writes.size());
    }
}

void tst_ADCConfig::saveTakesTypedText()
{
    Bench b;
    b.dialog.show();
    QLineEdit *edit = b.dialog.eCF->findChild<QLineEdit *>();
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, "11.25"); // no Enter: the text alone must count

    b.dialog.cxButton3->click();

    QCOMPARE(b.sent(WriteAdcFactor).value(0), QByteArray("\xA4\x04") + singleBytes(11.25f));
}

void tst_ADCConfig::calibratedFlag_data()
{
    QTest::addColumn<QString>("steps"); // s: Сохранить, c: Отмена, x: close box
    QTest::addColumn<bool>("calibrated");

    QTest::newRow("nothing yet") << "" << false;
    QTest::newRow("save") << "s" << true;
    QTest::newRow("cancel") << "c" << false;
    QTest::newRow("close box first") << "x" << false;
    QTest::newRow("save then cancel") << "sc" << false;
    QTest::newRow("save then close box") << "sx" << true;
    QTest::newRow("cancel then close box") << "cx" << false;
}

void tst_ADCConfig::calibratedFlag()
{
    QFETCH(QString, steps);
    QFETCH(bool, calibrated);
    Bench b;
    b.dialog.eVoltage->setValue(12385);
    b.dialog.eADC->setValue(1000);

    for (QChar step : steps) {
        b.dialog.show();
        if (step == 's')
            b.dialog.cxButton3->click();
        else if (step == 'c')
            b.dialog.cxButton4->click();
        else
            b.dialog.close();
        QVERIFY(!b.dialog.isVisible());
    }

    QCOMPARE(b.dialog.Calibrated, calibrated);
    // The fields keep what the last use left.
    QCOMPARE(b.dialog.eVoltage->value(), 12385.0);
    QCOMPARE(b.dialog.eADC->value(), 1000);
}

QTEST_MAIN(tst_ADCConfig)
#include "tst_ADCConfig.moc"
