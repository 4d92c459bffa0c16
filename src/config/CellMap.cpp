#include "CellMap.h"

#include "ConfigRows.h"

CellMap::CellMap()
{
    for (const RowDef &row : ConfigRows::rows())
        for (int i = 0; i < row.editors.size(); ++i) {
            m_values.insert({ row.name, i }, row.editors.at(i).initial);
            m_captions.insert({ row.name, i }, row.editors.at(i).caption);
        }
}
