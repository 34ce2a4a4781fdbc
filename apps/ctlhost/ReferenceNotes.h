#pragma once
// What a reference page says beyond a class's type table: units, members that always raise
// at run time, values without an enumerator name, the record types, and the errors with the
// members that raise them or report them through ControlError.
#include <string>
#include <vector>

namespace ctlhost {

struct ReferenceNotes {
    struct Note {
        std::string member;
        std::string text;
    };
    struct TypeNote {
        std::string type;
        std::string text;
    };
    struct UnnamedValue {
        std::string enumeration;
        int value;
        std::string meaning;
    };
    struct Error {
        int number;
        std::string text;  // the description, as raised
        std::string when;  // the members and conditions
    };
    std::vector<Note> members;
    std::vector<TypeNote> types;
    std::vector<UnnamedValue> values;
    std::string errorsIntro;  // how failures reach the caller
    std::vector<Error> errors;

    // The notes of a member ("" when it has none).
    std::string memberNote(const std::string& member) const;
    // The description of a type ("" when none is known).
    std::string typeNote(const std::string& type) const;
};

// The notes for a class ("Karvex.ucKarvex"); empty notes for a class without any.
const ReferenceNotes& NotesFor(const std::string& progId);

}  // namespace ctlhost
