#pragma once
#include <string>

namespace karvex {

// A text field's content with its caret and selection, as the settings dialog's editing rules
// see it (positions count characters from 0). Selecting keeps within the text, as a text box
// does.
struct FieldText {
    std::string text;
    int selStart = 0;
    int selLength = 0;

    int length() const;
    void select(int start, int length);
    // The character at a position, 0 beyond the end.
    char32_t at(int pos) const;
    // The text with the selection replaced by `insert`; the caret then follows the insert.
    std::string replacedSelection(const std::string& insert) const;
    void replaceSelection(const std::string& insert);
};

}  // namespace karvex
