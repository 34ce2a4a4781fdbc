#include <gtest/gtest.h>

#include "platform/db/ConnectionString.h"

using ctl::db::ConnectionString;

TEST(ConnectionString, ReadsKeysWithoutRegardToCaseAndQuotedValues) {
    ConnectionString cs("provider=sqlite; Data Source = /a b/mappa.mdb ;x;create=yes");
    EXPECT_EQ(cs.Get("PROVIDER"), "sqlite");
    EXPECT_EQ(cs.Get("data source"), "/a b/mappa.mdb");
    EXPECT_EQ(cs.Get("create"), "yes");
    EXPECT_FALSE(cs.Has("user"));
    ConnectionString q("data source=\"/odd;folder/mappa.mdb\";provider=sqlite;");
    EXPECT_EQ(q.Get("data source"), "/odd;folder/mappa.mdb");
    EXPECT_EQ(q.Get("provider"), "sqlite");
}

TEST(ConnectionString, AnyValueSurvivesBeingQuoted) {
    for (const std::string value : {"/we\"ird.mdb", "/f\"o;l/mappa.mdb", "a\"\";b=c\"", "plain"}) {
        ConnectionString cs("provider=sqlite;data source=" + ConnectionString::Quote(value) +
                            ";create=yes;");
        EXPECT_EQ(cs.Get("data source"), value);
        EXPECT_EQ(cs.Get("create"), "yes") << value;
    }
}
