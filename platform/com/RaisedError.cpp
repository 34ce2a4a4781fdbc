#include "platform/com/RaisedError.h"

namespace ctl {

std::string StandardErrorText(int number) {
    switch (number) {
        case 5:
            return "Invalid procedure call or argument";
        case 6:
            return "Overflow";
        case 7:
            return "Out of memory";
        case 9:
            return "Subscript out of range";
        case 11:
            return "Division by zero";
        case 13:
            return "Type mismatch";
        case 91:
            return "Object variable or With block variable not set";
        case 380:
            return "Invalid property value";
        case 382:
            return "Set not supported at run time";
        case 383:
            return "Set not supported (read-only property)";
        case 438:
            return "Object doesn't support this property or method";
        case 448:
            return "Named argument not found";
        case 449:
            return "Argument not optional";
        case 450:
            return "Wrong number of arguments or invalid property assignment";
        case 457:
            return "This key is already associated with an element of this collection";
        case 53:
            return "File not found";
        default:
            return "";
    }
}

RaisedError::RaisedError(int number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

RaisedError::RaisedError(int number) : RaisedError(number, StandardErrorText(number)) {}

void Raise(int number) {
    throw RaisedError(number);
}
void Raise(int number, const std::string& description) {
    throw RaisedError(number, description);
}

}  // namespace ctl
