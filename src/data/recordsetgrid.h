#pragma once

class QStandardItemModel;
class Recordset;

// Copies rows of `rs` into `grid` as text, for the database browser: one
// column per field, the field names as the grid's header when `header` is
// set, then up to maxRows rows from row firstRow (1-based) on, Null as empty
// text. maxRows 0 means every row: it is set to RecordCount + 1. A first
// row beyond the last leaves the grid with its header only. The recordset's
// cursor ends past the rows copied.
void fillGridFromRecordset(Recordset &rs, QStandardItemModel &grid, long firstRow, long &maxRows,
                           bool header);
