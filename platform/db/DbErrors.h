#pragma once
#include <cstdint>

namespace ctl::db {

// Error numbers raised by the database room.
// A statement the engine refuses (unknown table or column, values that do not fit the table's
// columns, a constraint): the generic failure code, as callers that tell "wrong table layout"
// apart rely on.
constexpr int32_t errDbStatement = int32_t(0x80004005);
// The file or the engine failed (missing, not a database, locked, read-only, disk full...):
// this base plus the engine's primary result code.
constexpr int32_t errDbEngineBase = int32_t(0xA0DB0000);
// Another connection held a lock longer than a statement waits for it (a file locked by another
// process, a track that another user is extending).
constexpr int32_t errDbBusy = errDbEngineBase + 5;
// The store cannot be opened: a missing file, a server that cannot be reached or refuses the
// connection.
constexpr int32_t errDbCannotOpen = errDbEngineBase + 14;
// Any other failure of a database server (resources, shutdown, a transaction it ended).
constexpr int32_t errDbServer = errDbEngineBase + 1;
// A provider named in a connection string that this build does not have.
constexpr int32_t errDbNoProvider = int32_t(0xA0DB1000);
// Misuse of a connection or record set (closed, no current record, unknown column).
constexpr int32_t errDbUsage = 5;

}  // namespace ctl::db
