#pragma once

#include <QDialog>
#include <QRect>

#include <functional>

class MessageCatalogue;
class QTreeWidget;

// Lists every message the terminal can log, under its number.
class TfrmMessages final : public QDialog
{
    Q_OBJECT
public:
    // mainGeometry: the window is centred on this rectangle when shown.
    TfrmMessages(const MessageCatalogue &messages, std::function<QRect()> mainGeometry, QWidget *parent = nullptr);

    // Rebuilds the list from the catalogue; called before every opening.
    void FillList();

    QTreeWidget *LV() const { return m_list; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    const MessageCatalogue &m_messages;
    std::function<QRect()> m_mainGeometry;
    QTreeWidget *m_list;
};
