#pragma once
// The accessible tree of a window as assistive technology reads it, as one JSON object, for
// script hosts and checks: role, name, description, value, state, children, and for tables and
// lists their cells by row and column.
#include "platform/com/Json.h"
#include "platform/forms/Widget.h"

namespace ctl {

// {"role", "name", "description", "value", "state": {"focused", "selected", "invisible",
// "readOnly"}, "children": [...]}; a table or list gives "rows", "columns", "columnNames",
// "selectedRows" and "cells" (one array of texts per row) in place of its children.
Json AccessibleTree(Widget& w);

}  // namespace ctl
