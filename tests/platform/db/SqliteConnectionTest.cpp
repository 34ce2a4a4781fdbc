#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "StoreFiles.h"
#include "TestSupport.h"
#include "platform/db/DbErrors.h"
#include "platform/db/SqliteConnection.h"

using namespace ctl::db;

TEST(SqliteConnection, OpensOnlyAnExistingDatabaseAndSaysWhyNot) {
    TempFolder dir;
    std::string text;
    auto c = CreateConnection("provider=sqlite;data source=" + dir.file("mappa.mdb") + ";");
    EXPECT_EQ(
        ErrorOf([&] { c->Open("provider=sqlite;data source=" + dir.file("mappa.mdb") + ";"); },
                &text),
        errDbEngineBase + 14);
    EXPECT_NE(text.find(dir.file("mappa.mdb")), std::string::npos) << text;
    EXPECT_EQ(c->State(), StateClosed);
    EXPECT_FALSE(std::filesystem::exists(dir.file("mappa.mdb"))) << "the open made a file";

    std::ofstream(dir.file("mappa.mdb")) << "these are not the pages of a database, just text\n";
    EXPECT_NE(ErrorOf([&] { c->Open("data source=" + dir.file("mappa.mdb")); }, &text), 0);
    EXPECT_NE(text.find("not an SQLite database"), std::string::npos) << text;
    EXPECT_NE(text.find(dir.file("mappa.mdb")), std::string::npos) << text;
    EXPECT_EQ(c->State(), StateClosed);

    EXPECT_EQ(ErrorOf([] { CreateConnection("provider=nosuch;data source=x"); }), errDbNoProvider);
}

TEST(SqliteConnection, FindsTheFileWithoutRegardToCase) {
    for (const char* stored : {"Mappa.mdb", "MAPPA.MDB"}) {
        TempFolder dir;
        MakeStore(dir.file(stored));
        auto c = CreateConnection("");
        c->Open("provider=sqlite;data source=" + dir.file("mappa.mdb") + ";");
        EXPECT_EQ(c->State(), StateOpen);
        EXPECT_EQ(static_cast<SqliteConnection&>(*c).Path(), dir.file(stored));
        EXPECT_FALSE(std::filesystem::exists(dir.file("mappa.mdb")));
    }
}

TEST(SqliteConnection, RecordSetsAreStaticWithExactCounts) {
    TempFolder dir;
    MakeStore(dir.file("s.db"));
    AddBranch(dir.file("s.db"), "a", 1, 1, 3);
    auto c = OpenFile(dir.file("s.db"));
    RecordSet rs = c->OpenRecordSet("SELECT ordinale,X,Y FROM MAPPA ORDER BY ordinale");
    EXPECT_EQ(rs.RecordCount(), 3);
    rs.MoveLast();
    EXPECT_EQ(rs.Field("ordinale").asInteger(), 3);
    rs.MoveFirst();
    EXPECT_EQ(rs.Field("x").asDouble(), 0.0);  // column names without regard to case
    rs.MoveNext();
    EXPECT_EQ(rs.Field("Y").asDouble(), 20.0);
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_NE(ErrorOf([&] { rs.Field("X"); }), 0);
    EXPECT_NE(ErrorOf([&] { rs.MoveNext(); }), 0);
    rs.MoveFirst();
    EXPECT_NE(ErrorOf([&] { rs.Field("nosuch"); }), 0);
    rs.Close();
    EXPECT_NE(ErrorOf([&] { rs.RecordCount(); }), 0);

    RecordSet none = c->OpenRecordSet("SELECT * FROM MAPPA WHERE ordinale > 99");
    EXPECT_EQ(none.RecordCount(), 0);
    EXPECT_TRUE(none.IsEOF());
    none.MoveLast();
    EXPECT_TRUE(none.IsEOF());
}

TEST(SqliteConnection, RowsReadOneByOneStopWhenAskedAndMayRunTheSameQueryInside) {
    TempFolder dir;
    MakeStore(dir.file("s.db"));
    AddBranch(dir.file("s.db"), "a", 1, 1, 4);
    auto c = OpenFile(dir.file("s.db"));
    const Statement query("SELECT ordinale,X,Y FROM MAPPA WHERE tratto=? ORDER BY ordinale", {"a"});
    std::vector<double> ys;
    int inner = 0;
    const int64_t n = c->ReadRows(query, [&](const RowView& row) {
        ys.push_back(row.DoubleAt(row.ColumnIndex("y")));
        // The same query again while its rows are walked (as a command run between rows may),
        // and a write: neither disturbs the walk.
        inner += int(c->OpenRecordSet(query).RecordCount());
        c->Execute(Statement("INSERT INTO MAPPA VALUES (?,?,?,?,?)", {9, "b", 1, 0.0, 0.0}));
        return row.FieldAt(0).asInteger() < 3;
    });
    EXPECT_EQ(n, 3);
    EXPECT_EQ(ys, (std::vector<double>{0, 20, 40}));
    EXPECT_EQ(inner, 12);
    EXPECT_EQ(c->Trace().front(), query.Text());

    // After an early stop and after a failing row the query runs again from its start.
    EXPECT_EQ(ErrorOf([&] {
                  c->ReadRows(query, [](const RowView& row) {
                      row.ColumnIndex("nosuch");
                      return true;
                  });
              }),
              errDbUsage);
    EXPECT_EQ(c->ReadRows(query, [](const RowView&) { return true; }), 4);
    EXPECT_EQ(ErrorOf([&] {
                  c->ReadRows(Statement("SELECT X FROM MAPPA WHERE tratto=?"),
                              [](const RowView&) { return true; });
              }),
              errDbStatement);
    c->Execute("INSERT INTO MAPPA VALUES (1,'t',1,'east',NULL)");
    EXPECT_NE(ErrorOf([&] {
                  c->ReadRows("SELECT X,Y FROM MAPPA WHERE tratto='t'",
                              [](const RowView& row) { return row.DoubleAt(0) > 0; });
              }),
              0);
}

TEST(SqliteConnection, StatementFaultsCarryTheGenericFailureCode) {
    TempFolder dir;
    MakeStore(dir.file("s.db"), "ordinale INTEGER, tratto TEXT, X REAL, Y REAL");  // no ramo
    auto c = OpenFile(dir.file("s.db"));
    std::string text;
    EXPECT_EQ(ErrorOf([&] { c->Execute("INSERT INTO MAPPA VALUES (1,'a',1,2,3)"); }, &text),
              int32_t(0x80004005));
    EXPECT_EQ(int32_t(0x80004005), -2147467259);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(ErrorOf([&] { c->OpenRecordSet("SELECT ramo FROM MAPPA"); }), errDbStatement);
    EXPECT_EQ(ErrorOf([&] { c->OpenRecordSet("SELECT * FROM NOTHERE"); }), errDbStatement);
}

TEST(SqliteConnection, NestedTransactionsRollBackOnlyTheirOwnWork) {
    TempFolder dir;
    MakeStore(dir.file("s.db"));
    auto c = OpenFile(dir.file("s.db"));
    EXPECT_EQ(c->BeginTrans(), 1);
    c->Execute("INSERT INTO MAPPA VALUES (1,'outer',1,0,0)");
    EXPECT_EQ(c->BeginTrans(), 2);
    c->Execute("INSERT INTO MAPPA VALUES (1,'inner',1,0,0)");
    c->RollbackTrans();
    EXPECT_EQ(c->TransactionLevel(), 1);
    c->CommitTrans();
    EXPECT_EQ(c->TransactionLevel(), 0);
    EXPECT_NE(ErrorOf([&] { c->CommitTrans(); }), 0);
    auto other = OpenFile(dir.file("s.db"));
    RecordSet rs = other->OpenRecordSet("SELECT tratto FROM MAPPA");
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Field("tratto").asText(), "outer");
}

TEST(SqliteConnection, AFileWithoutWritePermissionIsReadOnly) {
    TempFolder dir;
    MakeStore(dir.file("s.db"));
    AddBranch(dir.file("s.db"), "a", 1, 1, 2);
    ASSERT_EQ(chmod(dir.file("s.db").c_str(), 0444), 0);
    auto c = OpenFile(dir.file("s.db"), false);
    EXPECT_EQ(c->OpenRecordSet("SELECT * FROM MAPPA").RecordCount(), 2);
    std::string text;
    int n = ErrorOf([&] { c->Execute("INSERT INTO MAPPA VALUES (3,'a',1,0,0)"); }, &text);
    EXPECT_EQ(n, errDbEngineBase + 8);  // not the generic code: the table is fine
    EXPECT_NE(text.find("read-only"), std::string::npos) << text;
}

TEST(SqliteConnection, AFileLockedByAnotherProcessFailsInsteadOfHanging) {
    TempFolder dir;
    MakeStore(dir.file("s.db"));
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    if (child == 0) {
        try {
            auto c = OpenFile(dir.file("s.db"), false);
            c->Execute("BEGIN EXCLUSIVE");
            c->Execute("INSERT INTO MAPPA VALUES (1,'held',1,0,0)");
            char b = 1;
            (void)!write(ready[1], &b, 1);
            pause();
        } catch (...) {
        }
        _exit(1);
    }
    char b;
    ASSERT_EQ(read(ready[0], &b, 1), 1);
    std::string text;
    auto c = CreateConnection("");
    int n = ErrorOf([&] { c->Open("data source=" + dir.file("s.db")); }, &text);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
    EXPECT_EQ(n, errDbEngineBase + 5) << text;
    EXPECT_NE(text.find("locked"), std::string::npos) << text;
}

TEST(Statement, TextSplicesValuesAsLiteralsWithAPointWhateverTheLocale) {
    LocaleGuard italian(ctl::LocaleInfo::Italian());
    Statement s("INSERT INTO MAPPA VALUES (?,?,?,?,?)",
                {7, std::string("Rock'n'roll; DROP"), int16_t(2), Value::FromSingle(1234.567f),
                 Value::FromSingle(-0.1f)});
    EXPECT_EQ(s.Text(), "INSERT INTO MAPPA VALUES (7,'Rock''n''roll; DROP',2,1234.567,-0.1)");
    EXPECT_EQ(Value::FromSingle(0.1f).asDouble(), 0.1);  // the seven-digit text, not the float
    // Any single reads back as its seven-digit text does (a sweep over the bit patterns).
    for (uint32_t bits = 0x00800000; bits < 0x7F000000; bits += 0x00012345) {
        float f;
        std::memcpy(&f, &bits, sizeof f);
        for (float g : {f, -f}) {
            char text[64];
            std::snprintf(text, sizeof text, "%.7G", double(g));
            ASSERT_EQ(Value::FromSingle(g).asDouble(), std::strtod(text, nullptr)) << text;
        }
    }
    EXPECT_EQ(Value::FromSingle(123456789.0f).literal(), "1.234568E+08");
    EXPECT_EQ(Statement("SELECT '?' FROM t WHERE a=?", {1}).Text(), "SELECT '?' FROM t WHERE a=1");
    EXPECT_EQ(QuoteSql("it's"), "it''s");
    EXPECT_EQ(QuoteSql("plain"), "plain");
}

TEST(SqliteConnection, TraceKeepsTheLastStatementsInOrder) {
    TempFolder dir;
    MakeStore(dir.file("s.db"));
    auto c = OpenFile(dir.file("s.db"));
    c->setTraceCapacity(3);
    for (int i = 1; i <= 5; ++i)
        c->Execute(Statement("INSERT INTO MAPPA VALUES (?,'a',1,0,0)", {i}));
    EXPECT_EQ(c->Trace(), (std::vector<std::string>{"INSERT INTO MAPPA VALUES (3,'a',1,0,0)",
                                                    "INSERT INTO MAPPA VALUES (4,'a',1,0,0)",
                                                    "INSERT INTO MAPPA VALUES (5,'a',1,0,0)"}));
}
