#pragma once

#include <functional>
#include <string>

#include "model/game.h"

namespace scorvale::ui {

// What the HTML output command calls to write the page; tests put their own
// writer here, an empty one restores writeHtmlReport.
using HtmlReportWriter = std::function<void(const Game&, const std::string& path, const ReportSettings&)>;
void setHtmlReportWriterForTesting(HtmlReportWriter writer);

// The file name the report proposes: every ".svl" (case as written) becomes ".html".
std::string proposedReportPath(const std::string& currentFilePath);

}  // namespace scorvale::ui
