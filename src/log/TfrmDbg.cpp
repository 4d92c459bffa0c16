#include "TfrmDbg.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TfrmDbg::TfrmDbg(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmDbg"));
    setWindowTitle(QStringLiteral("Отладочный лог"));
    resize(645, 460);
    m_text->setObjectName(QStringLiteral("dbgLog"));
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    font.setStyleHint(QFont::TypeWriter);
    m_text->setFont(font);
    m_text->setPlainText(QStringLiteral("dbgLog"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
}
