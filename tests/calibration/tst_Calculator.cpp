#include "calibration/Calculator.h"

#include <QTest>

class tst_Calculator : public QObject
{
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
};

void tst_Calculator::keys_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<QString>("keys"); // B: backspace, C: clear
    QTest::addColumn<QString>("display");

    QTest::newRow("typing replaces the start value") << 12.5 << "3" << "3";
    QTest::newRow("operator uses the start value") << 12.5 << "+2.25=" << "14.75";
    QTest::newRow("chain applies left to right") << 0.0 << "2+3*4=" << "20";
    QTest::newRow("second operator replaces the first") << 0.0 << "9+*2=" << "18";
    QTest::newRow("continue after equals") << 0.0 << "5+3=-1=" << "7";
    QTest::newRow("one point only") << 0.0 << "1..5" << "1.5";
    QTest::newRow("leading point") << 0.0 << ".5" << "0.5";
    QTest::newRow("no leading zeros") << 0.0 << "007" << "7";
    QTest::newRow("backspace") << 0.0 << "123B" << "12";
    QTest::newRow("backspace to nothing") << 0.0 << "1B" << "0";
    QTest::newRow("division by zero") << 0.0 << "5/0=" << "Ошибка";
    QTest::newRow("error holds until clear") << 0.0 << "5/0=7" << "Ошибка";
    QTest::newRow("clear after error") << 0.0 << "5/0=C4" << "4";
    QTest::newRow("divide") << 100.0 << "/8=" << "12.5";
}

void tst_Calculator::keys()
{
    QFETCH(double, start);
    QFETCH(QString, keys);
    QFETCH(QString, display);
    Calculator calc;
    calc.start(start);

    for (QChar k : keys) {
        if (k.isDigit())
            calc.digit(k.digitValue());
        else if (k == '.')
            calc.point();
        else if (k == '=')
            calc.equals();
        else if (k == 'B')
            calc.backspace();
        else if (k == 'C')
            calc.clear();
        else
            calc.op(k);
    }

    QCOMPARE(calc.display(), display);
    QCOMPARE(calc.failed(), display == "Ошибка");
}

QTEST_GUILESS_MAIN(tst_Calculator)
#include "tst_Calculator.moc"
