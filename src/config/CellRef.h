#pragma once

#include <QHashFunctions>
#include <QString>

// One value cell of the configuration grid: a row and the editor within it.
struct CellRef
{
    QString row;
    int editor = 0;

    friend bool operator==(const CellRef &a, const CellRef &b) { return a.editor == b.editor && a.row == b.row; }
    friend size_t qHash(const CellRef &c, size_t seed = 0) { return qHashMulti(seed, c.row, c.editor); }
};
