#pragma once
#include "platform/db/Connection.h"

namespace trackdb {

// Makes the table of a new store, with what keeps the control's queries quick on long tracks:
// one index that holds every column the queries read (a branch loads from the index alone, in
// ordinal order), and planner figures that describe a store of long tracks, so that "the
// distinct names" and "the distinct branches of a name" jump from one value to the next in the
// index instead of reading every point.
inline void CreateTrackTable(ctl::db::Connection& c) {
    c.Execute(
        "CREATE TABLE MAPPA (ordinale INTEGER, tratto TEXT COLLATE NOCASE, ramo INTEGER, "
        "X REAL, Y REAL)");
    c.Execute("CREATE INDEX MAPPA_tratto_ramo_ordinale ON MAPPA (tratto, ramo, ordinale, X, Y)");
    c.Execute("ANALYZE sqlite_master");  // makes the engine's statistics table
    c.Execute(
        "INSERT INTO sqlite_stat1 VALUES ('MAPPA', 'MAPPA_tratto_ramo_ordinale', "
        "'1000000 20000 2000 1 1 1')");
}

}  // namespace trackdb
