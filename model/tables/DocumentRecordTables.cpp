#include "model/tables/DocumentRecordTables.h"

std::span<const RecordTable* const> documentRecordTables() {
    static const RecordTable* const tables[] = {
        &kXFontTable, &kXStyleTable, &kXListLevelTable, &kXListDefTable, &kXListOvrTable, &kXListPicTable,
    };
    return tables;
}
