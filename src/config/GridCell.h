#pragma once

#include "ConfigRows.h"

#include <QVariant>
#include <QWidget>

class GridSpinBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// One value cell of the vertical grid with its editor. The value is a
// QVariant: an invalid one is Null, shown empty but kept apart from an empty
// text until the user types into the cell.
class GridCell : public QWidget
{
    Q_OBJECT
public:
    GridCell(const EditorDef &def, QWidget *parent = nullptr);

    const EditorDef &def() const { return m_def; }
    QVariant value() const { return m_value; }
    void setValue(const QVariant &value);
    bool isNull() const { return !m_value.isValid(); }
    // The cell as it reads on screen.
    QString displayText() const;
    // Takes what is being typed as the value (or drops an incomplete masked
    // text), as leaving the cell would.
    void commitEdit();

signals:
    void edited();

private:
    void build();
    void show(const QVariant &value);
    void takeText();
    void takeSpin();

    EditorDef m_def;
    QVariant m_value;
    QLineEdit *m_edit = nullptr;
    QLabel *m_label = nullptr;
    GridSpinBox *m_spin = nullptr;
    QCheckBox *m_check = nullptr;
    QRadioButton *m_closed = nullptr;
    QRadioButton *m_open = nullptr;
};
