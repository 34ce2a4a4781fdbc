#pragma once
#include <string>

#include "platform/db/Connection.h"

namespace trackio {

// Track names compare without regard to case for the letters A to Z only, on a file as on a
// server ("River" and "river" are one track, "Éclair" and "éclair" two).
//
// On a server the name column is of the domain mappa_name (text in the "C" collation) whose
// "=" and "<>" compare names with A to Z folded (mappa_fold), so the control's statements run
// unchanged. (citext is not used: it folds with the database's locale, which on a UTF-8 server
// folds "É" to "é" as well.) DISTINCT and ORDER BY keep the text's own comparison: readers
// that list names fold them themselves (the control does, and so do these tools).
inline constexpr const char* kServerFold =
    "translate($1, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz')";

// Makes what a server's table needs for its names, where it is missing: the fold, the domain,
// its two operators. Every function is plain SQL, inlined by the planner, so that the index on
// the folded name serves the control's "tratto = ?".
inline void CreateServerNameType(ctl::db::Connection& c) {
    c.Execute(std::string("CREATE OR REPLACE FUNCTION mappa_fold(text) RETURNS text LANGUAGE sql "
                          "IMMUTABLE STRICT PARALLEL SAFE AS $$ SELECT ") +
              kServerFold + " $$");
    if (c.OpenRecordSet("SELECT to_regtype('mappa_name') IS NOT NULL AS has")
            .Field("has")
            .asInteger() == 0)
        c.Execute("CREATE DOMAIN mappa_name AS text COLLATE \"C\"");
    c.Execute(
        "CREATE OR REPLACE FUNCTION mappa_name_eq(mappa_name, mappa_name) RETURNS boolean "
        "LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE AS $$ SELECT mappa_fold($1) = "
        "mappa_fold($2) $$");
    c.Execute(
        "CREATE OR REPLACE FUNCTION mappa_name_ne(mappa_name, mappa_name) RETURNS boolean "
        "LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE AS $$ SELECT mappa_fold($1) <> "
        "mappa_fold($2) $$");
    const bool hasOperators =
        c.OpenRecordSet(
             "SELECT oprname FROM pg_operator WHERE oprleft = to_regtype('mappa_name') AND "
             "oprright = to_regtype('mappa_name') AND oprname IN ('=', '<>')")
            .RecordCount() == 2;
    if (!hasOperators) {
        c.Execute(
            "CREATE OPERATOR = (LEFTARG = mappa_name, RIGHTARG = mappa_name, FUNCTION = "
            "mappa_name_eq, COMMUTATOR = =, NEGATOR = <>, RESTRICT = eqsel, JOIN = eqjoinsel)");
        c.Execute(
            "CREATE OPERATOR <> (LEFTARG = mappa_name, RIGHTARG = mappa_name, FUNCTION = "
            "mappa_name_ne, COMMUTATOR = <>, NEGATOR = =, RESTRICT = neqsel, JOIN = "
            "neqjoinsel)");
    }
}

// Makes the table of a new store, with what keeps the control's queries quick on long tracks:
// one index that holds every column the queries read (a branch loads from the index alone, in
// ordinal order), and planner figures that describe a store of long tracks, so that "the
// distinct names" and "the distinct branches of a name" jump from one value to the next in the
// index instead of reading every point.
// On a server: tratto as mappa_name (above); the covering index is on the folded name (with
// the name itself included, so that a branch still loads from the index alone, in ordinal
// order), and a second index on the name serves the lists of names. The server keeps its own
// statistics.
inline void CreateTrackTable(ctl::db::Connection& c) {
    if (c.Provider() == "postgresql") {
        CreateServerNameType(c);
        c.Execute(
            "CREATE TABLE MAPPA (ordinale integer, tratto mappa_name, ramo smallint, "
            "X double precision, Y double precision)");
        c.Execute(
            "CREATE INDEX MAPPA_tratto_ramo_ordinale ON MAPPA (mappa_fold(tratto), ramo, "
            "ordinale, X, Y) INCLUDE (tratto)");
        c.Execute("CREATE INDEX MAPPA_tratto ON MAPPA (tratto)");
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
