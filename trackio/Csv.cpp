#include "Csv.h"

#include <stdexcept>

namespace trackio {

bool ReadCsvRecord(std::istream& in, std::vector<std::string>& fields, int& line) {
    fields.clear();
    std::string field;
    bool quoted = false, any = false, wasQuoted = false;
    const int start = line + 1;
    int c;
    while ((c = in.get()) != EOF) {
        any = true;
        if (quoted) {
            if (c == '"') {
                if (in.peek() == '"') {
                    in.get();
                    field += '"';
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n') ++line;
                field += char(c);
            }
            continue;
        }
        if (c == '"' && field.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == ',') {
            fields.push_back(field);
            field.clear();
            wasQuoted = false;
        } else if (c == '\n') {
            ++line;
            if (!field.empty() && field.back() == '\r') field.pop_back();
            fields.push_back(field);
            return true;
        } else {
            field += char(c);
        }
    }
    if (quoted)
        throw std::runtime_error("line " + std::to_string(start) +
                                 ": a quoted field is not closed");
    if (!any) return false;
    ++line;
    if (!field.empty() && field.back() == '\r') field.pop_back();
    fields.push_back(field);
    return true;
}

std::string CsvField(const std::string& text) {
    bool needs = text.find_first_of(",\"\r\n") != std::string::npos ||
                 (!text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                    text.front() == '\t' || text.back() == '\t'));
    if (!needs) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace trackio
