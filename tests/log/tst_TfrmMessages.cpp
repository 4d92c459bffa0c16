#include "log/MessageCatalogue.h"
#include "log/TfrmDbg.h"
#include "log/TfrmMessages.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

namespace {
QStringList rows(const QTreeWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        out << QStringList{item->text(0), item->text(1), item->text(2)}.join(QLatin1Char('|'));
    }
    return out;
}
} // namespace

class tst_TfrmMessages : public QObject
{
    Q_OBJECT
private slots:
    void listsTheCatalogue();
    void emptyCatalogue();
    void centredOnMainWindow();
    void debugWindow();
};

void tst_TfrmMessages::listsTheCatalogue()
{
    MessageCatalogue messages;
    messages.LoadText("M_ON, // Включение\nM_BARE, //\n#define X 1\nM_OFF = 9, // Выключение\n");
    TfrmMessages form(messages, {});
    QCOMPARE(form.windowTitle(), QString("Возможные сообщения от терминала"));
    QTreeWidget *list = form.LV();
    QCOMPARE(list->headerItem()->text(0), QString("Индекс"));
    QCOMPARE(list->headerItem()->text(1), QString("Параметр"));
    QCOMPARE(list->headerItem()->text(2), QString("Значение"));
    const QStringList expected{"0|M_ON|Включение", "1|M_BARE|M_BARE", "2|M_OFF|Выключение"};
    form.FillList();
    QCOMPARE(rows(list), expected);
    // Every opening rebuilds the list rather than adding to it.
    form.FillList();
    QCOMPARE(rows(list), expected);
}

void tst_TfrmMessages::emptyCatalogue()
{
    MessageCatalogue messages;
    TfrmMessages form(messages, {});
    form.FillList();
    QCOMPARE(form.LV()->topLevelItemCount(), 0);
}

void tst_TfrmMessages::centredOnMainWindow()
{
    MessageCatalogue messages;
    const QRect main(100, 40, 913, 986);
    TfrmMessages form(messages, [&] { return main; });
    QCOMPARE(form.size(), QSize(694, 707));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.frameGeometry().center(), main.center());
}

void tst_TfrmMessages::debugWindow()
{
    TfrmDbg form;
    QCOMPARE(form.windowTitle(), QString("Отладочный лог"));
    QCOMPARE(form.size(), QSize(645, 460));
    QCOMPARE(form.dbgLog()->toPlainText(), QString("dbgLog"));
}

QTEST_MAIN(tst_TfrmMessages)
#include "tst_TfrmMessages.moc"
