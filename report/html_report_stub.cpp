// TEMPORARY, dialogs branch only: stands in for the page writer until it is
// merged, so the dialog tests link. Drop this file at merge; the tests build
// it only while scorvale_report has no sources of its own.
#include <stdexcept>

#include "report/html_report.h"

namespace scorvale {

std::string htmlReportBytes(const Game&, const ReportSettings&) {
    throw std::logic_error("page writer not linked (html_report_stub)");
}

void writeHtmlReport(const Game&, const std::string&, const ReportSettings&) {
    throw std::logic_error("page writer not linked (html_report_stub)");
}

}  // namespace scorvale
