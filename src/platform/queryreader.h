#pragma once

#include <QString>

#include <memory>

class Connection;
struct RecordsetData;

// Runs one query on an open connection and reads all its rows (at most
// maxRecords when that is above 0) into a snapshot with ADO field types.
// SQLite columns are typed from their declared types; an expression column,
// which has none, from its values (whole numbers Integer or BigInt, other
// numbers Double, texts VarWChar, blobs LongVarBinary).
class QueryReader
{
public:
    // Raises DatabaseError with the driver's description.
    static std::shared_ptr<RecordsetData> read(const Connection &connection, const QString &sql,
                                               long maxRecords);
};
