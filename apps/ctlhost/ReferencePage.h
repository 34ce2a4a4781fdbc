#pragma once
// The reference page of a control class, written from its type table in Markdown: the
// library, every member with its signature, access and help text, the events and the
// enumerations. docs/reference/ holds the pages; `ctlhost --reference CLASS` writes one.
#include <string>

#include "platform/com/Library.h"

namespace ctlhost {

std::string ReferencePage(const ctl::ControlClass& cls);

}  // namespace ctlhost
