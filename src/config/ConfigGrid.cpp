#include "ConfigGrid.h"

#include "GridCell.h"
#include "GridRow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

ConfigGrid::ConfigGrid(QWidget *parent)
    : VerticalGrid(parent)
{
    setObjectName(QStringLiteral("cxVGrid"));
    build(ConfigRows::rows());

    PMCopyParams = new QMenu(this);
    PMCopyParams->setObjectName(QStringLiteral("PMCopyParams"));
    PMCopyParams->addAction(QStringLiteral("Копировать SIMCCID"), this, &ConfigGrid::SIMCCID1Click)->setObjectName("SIMCCID1");
    PMCopyParams->addAction(QStringLiteral("Копировать IMEI"), this, &ConfigGrid::IMEI1Click)->setObjectName("IMEI1");
    PMCopyParams->addAction(QStringLiteral("Копировать серийный номер"), this, &ConfigGrid::N3Click)->setObjectName("N3");
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(
        this, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) { PMCopyParams->popup(mapToGlobal(pos)); });
}

QVariant ConfigGrid::value(const CellRef &cell) const
{
    const GridCell *c = VerticalGrid::cell(cell.row, cell.editor);
    return c ? c->value() : QVariant();
}

void ConfigGrid::setValue(const CellRef &cell, const QVariant &value)
{
    if (GridCell *c = VerticalGrid::cell(cell.row, cell.editor))
        c->setValue(value);
}

QString ConfigGrid::caption(const CellRef &cell) const
{
    const GridRow *r = row(cell.row);
    return r ? r->caption(cell.editor) : QString();
}

void ConfigGrid::setCaption(const CellRef &cell, const QString &caption)
{
    if (GridRow *r = row(cell.row))
        r->setCaption(cell.editor, caption);
}

void ConfigGrid::commitEdits()
{
    setFocus();
    closeEdits();
}

void ConfigGrid::copyCell(const CellRef &ref)
{
    const GridCell *c = VerticalGrid::cell(ref.row, ref.editor);
    if (!c || c->isNull())
        return;
    QGuiApplication::clipboard()->setText(c->displayText());
}

void ConfigGrid::SIMCCID1Click()
{
    copyCell({ QStringLiteral("erSIMCCID"), 0 });
}

void ConfigGrid::IMEI1Click()
{
    copyCell({ QStringLiteral("erIMEI"), 0 });
}

void ConfigGrid::N3Click()
{
    copyCell({ QStringLiteral("erSerialNumber"), 0 });
}
