#include "TfrmMessages.h"

#include "MessageCatalogue.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmMessages::TfrmMessages(const MessageCatalogue &messages, std::function<QRect()> mainGeometry, QWidget *parent)
    : QDialog(parent)
    , m_messages(messages)
    , m_mainGeometry(std::move(mainGeometry))
    , m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("frmMessages"));
    setWindowTitle(QStringLiteral("Возможные сообщения от терминала"));
    resize(694, 707);
    m_list->setObjectName(QStringLiteral("LV"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("Индекс"), QStringLiteral("Параметр"), QStringLiteral("Значение")});
    m_list->header()->resizeSection(0, 100);
    m_list->header()->resizeSection(1, 250);
    m_list->header()->resizeSection(2, 250);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
}

void TfrmMessages::FillList()
{
    m_list->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(m_messages.MessageStrings.size());
    for (const TMessageString &m : m_messages.MessageStrings)
        items.append(new QTreeWidgetItem({QString::number(m.Index), m.Name, m.Text}));
    m_list->addTopLevelItems(items);
}

void TfrmMessages::showEvent(QShowEvent *event)
{
    if (m_mainGeometry) {
        QRect placed = frameGeometry();
        placed.moveCenter(m_mainGeometry().center());
        move(placed.topLeft());
    }
    QDialog::showEvent(event);
}
