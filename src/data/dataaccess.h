#pragma once

#include <QImage>
#include <QString>

#include <memory>

class Connection;
class Recordset;

// Connections outside the report's own one, and reading pictures out of
// binary fields.

// Replaces `connection` by a new connection and opens it on
// `connectionString` (a relative Data Source is looked up in baseDir first).
// On failure, unless silent, the user is told "Impossible to open the
// connection" with the driver's description; false is returned.
bool openConnection(std::unique_ptr<Connection> &connection, const QString &connectionString,
                    bool silent = false, const QString &baseDir = QString());

// The picture held in field `fieldName` of the current row of `rs`, read
// straight from the field's bytes (any format the image loader knows, also
// when an Access OLE wrapper surrounds it). A null image when there is none;
// `errorText` then says why (no such field, Null, not a picture).
QImage pictureFromField(const Recordset &rs, const QString &fieldName,
                        QString *errorText = nullptr);
