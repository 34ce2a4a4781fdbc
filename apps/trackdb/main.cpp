// trackdb: makes and keeps the track store that the chart control reads (the control never
// creates it). STORE is the store file, a server's connection string, or a folder.
#include <iostream>
#include <stdexcept>
#include <string>

#include "platform/com/RaisedError.h"
#include "trackio/Commands.h"
#include "trackio/StoreFile.h"

namespace {
int Usage(std::ostream& out = std::cerr, int status = 2) {
    out << "usage:\n"
           "  trackdb create STORE                      make the store file and its table\n"
           "  trackdb list STORE                        one line per track: name,branches,points\n"
           "  trackdb export STORE TRACK --csv|--geojson write one track to standard output\n"
           "  trackdb import STORE FILE.csv             add the points of a CSV file\n"
           "                                            (header ordinale,tratto,ramo,X,Y)\n"
           "  trackdb check STORE                       does the store suit the control?\n"
           "  trackdb copy FROM TO                      every track of one store into another\n"
           "                                            (empty or absent), in one transaction\n"
           "STORE is the store file, a PostgreSQL connection string (postgresql://... or\n"
           "key=value pairs; the password from ~/.pgpass or PGPASSWORD), or a folder meaning\n"
           "its mappa.conn when it has one (first line: such a string), else its mappa.mdb.\n";
    return status;
}
}  // namespace

namespace {
// A command line that is not right: what was wrong first, then the usage.
int Wrong(const std::string& what) {
    std::cerr << "trackdb: " << what << "\n";
    return Usage();
}

// How many arguments each command takes after its name (STORE included).
int ArgumentsOf(const std::string& verb) {
    if (verb == "create" || verb == "list" || verb == "check") return 1;
    if (verb == "import" || verb == "copy") return 2;
    if (verb == "export") return 3;
    return -1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h"))
        return Usage(std::cout, 0);
    if (argc < 2) return Wrong("no command given");
    const std::string verb = argv[1];
    const int wanted = ArgumentsOf(verb);
    if (wanted < 0) return Wrong("unknown command '" + verb + "'");
    if (argc - 2 != wanted)
        return Wrong(verb + " takes " + std::to_string(wanted) + " argument" +
                     (wanted == 1 ? "" : "s") + ", not " + std::to_string(argc - 2));
    try {
        const std::string store = trackio::StorePath(argv[2], verb == "create");
        if (verb == "create") {
            trackio::Create(store, std::cout);
        } else if (verb == "list") {
            trackio::List(store, std::cout);
        } else if (verb == "export") {
            const std::string format = argv[4];
            if (format == "--csv")
                trackio::ExportCsv(store, argv[3], std::cout);
            else if (format == "--geojson")
                trackio::ExportGeoJson(store, argv[3], std::cout);
            else
                return Wrong("export writes --csv or --geojson, not '" + format + "'");
        } else if (verb == "import") {
            trackio::Import(store, argv[3], std::cout);
        } else if (verb == "check") {
            return trackio::Check(store, std::cout) ? 0 : 1;
        } else if (verb == "copy") {
            trackio::Copy(store, trackio::StorePath(argv[3]), std::cout);
        }
    } catch (const ctl::RaisedError& e) {
        std::cerr << "trackdb: " << e.description() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "trackdb: " << e.what() << "\n";
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
