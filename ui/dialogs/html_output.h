#pragma once

#include <QString>
#include <functional>
#include <string>

#include "model/game.h"

namespace scorvale::ui {

// What the HTML output command calls to write the page; tests put their own
// writer here, an empty one restores writePage (the page of game.page).
using HtmlReportWriter = std::function<void(const Game&, const std::string& path, const ReportSettings&)>;
void setHtmlReportWriterForTesting(HtmlReportWriter writer);

// The file name the report proposes: every ".svl" (case as written) becomes ".html".
std::string proposedReportPath(const std::string& currentFilePath);

// Where the standings picture goes: beside the page, the page's name with
// ".png" for its extension.
QString picturePath(const QString& pagePath);

}  // namespace scorvale::ui
