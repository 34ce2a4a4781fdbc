#pragma once
// Writes a typed widget's header and source from its Qt face.
#include <string>

#include "widgets/generator/QtFace.h"

namespace widgetgen {

std::string HeaderText(const QtFace& face);
std::string SourceText(const QtFace& face, const std::string& headerName);

}  // namespace widgetgen
