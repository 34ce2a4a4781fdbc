#pragma once
#include "platform/db/Connection.h"

namespace trackio {

// Makes the table of a new store, with what keeps the control's queries quick on long tracks:
// one index that holds every column the queries read (a branch loads from the index alone, in
// ordinal order), and planner figures that describe a store of long tracks, so that "the
// distinct names" and "the distinct branches of a name" jump from one value to the next in the
// index instead of reading every point.
// On a server: tratto as citext, so "=", "<>", DISTINCT and ORDER BY fold case in the column
// itself and the control's statements run unchanged; its "C" collation folds ASCII letters
// only and orders by bytes, as the file's NOCASE does. The same covering index; the server
// keeps its own statistics.
inline void CreateTrackTable(ctl::db::Connection& c) {
    if (c.Provider() == "postgresql") {
        c.Execute("CREATE EXTENSION IF NOT EXISTS citext");
        c.Execute(
            "CREATE TABLE MAPPA (ordinale integer, tratto citext COLLATE \"C\", ramo smallint, "
            "X double precision, Y double precision)");
        c.Execute(
            "CREATE INDEX MAPPA_tratto_ramo_ordinale ON MAPPA (tratto, ramo, ordinale, X, Y)");
        return;
    }
    c.Execute(
        "CREATE TABLE MAPPA (ordinale INTEGER, tratto TEXT COLLATE NOCASE, ramo INTEGER, "
        "X REAL, Y REAL)");
    c.Execute("CREATE INDEX MAPPA_tratto_ramo_ordinale ON MAPPA (tratto, ramo, ordinale, X, Y)");
    c.Execute("ANALYZE sqlite_master");  // makes the engine's statistics table
    c.Execute(
        "INSERT INTO sqlite_stat1 VALUES ('MAPPA', 'MAPPA_tratto_ramo_ordinale', "
        "'1000000 20000 2000 1 1 1')");
}

}  // namespace trackio
