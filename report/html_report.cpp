#include "report/html_report.h"

#include <algorithm>

#include "gamefile/safe_file.h"
#include "model/game.h"
#include "report/page_parts.h"
#include "report/report_texts.h"
#include "report/sections.h"
#include "scorvale/version.h"

namespace scorvale {

namespace {

namespace rt = report_texts;

void writeScoringExplanation(std::string& page, const GameSettings& s, const ImageFragments& images) {
    page += "<a name=\"pointlist\">\r\n";
    page += sectionHeading(images, rt::kPointsTitle);

    // The exponent shown is the one the scoring applies, so a stray rate
    // (say 4) publishes the plain formula it really scores by.
    const int exponent = rateExponent(s.rate);
    if (exponent > 1) {
        page += rt::kFormulaPowerOpen;
        appendInt(page, exponent);
        page += "</sup></h4>";
    } else {
        page += rt::kFormulaPlain;
    }
    page += "<table border=\"0\"><tr bgcolor=\"#ffc0c0\">\r\n";

    auto line = [&page](std::string_view prefix, std::int32_t value, std::string_view end) {
        page += prefix;
        appendInt(page, value);
        page += end;
    };
    page += rt::kPointsCellHead;
    line(rt::kWinPrefix, s.winPoints, rt::kPointLineEnd);
    line(rt::kLosePrefix, s.losePoints, rt::kPointLineEnd);
    line(rt::kDrawPrefix, s.drawPoints, rt::kPointLineEnd);
    line(rt::kTournamentWinPrefix, s.tournamentWinPoints, rt::kPointCellEnd);

    // The closing tag rides on the qualify line, so without it the cell stays open.
    page += rt::kBonusCellHead;
    if (s.bonus1 != 0) line(rt::kBonus1Prefix, s.bonus1, rt::kPointLineEnd);
    if (s.bonus2 != 0) line(rt::kBonus2Prefix, s.bonus2, rt::kPointLineEnd);
    if (s.bonus3 != 0) line(rt::kBonus3Prefix, s.bonus3, rt::kPointLineEnd);
    if (s.qualifyBonus != 0) line(rt::kQualifyPrefix, s.qualifyBonus, rt::kPointCellEnd);

    page += rt::kVoteCellHead;
    line(rt::kFirstChoicePrefix, s.maxBet, rt::kFirstChoiceEnd);
    line(rt::kLastChoicePrefix, s.maxBet, rt::kLastChoiceEnd);
    page += "</tr></table>\r\n";
}

// A little more than the page will take, so that a page of a few hundred
// megabytes is not copied over and over while it grows.
std::size_t estimatedBytes(const Game& game, const ReportSettings& settings) {
    std::size_t bytes = 4096 + 2 * (settings.head.size() + settings.foot.size() + settings.title.size());
    const int members = reportRowLimit(settings.memberRange, game.memberCount());
    bytes += static_cast<std::size_t>(reportRowLimit(settings.teamRange, game.teamCount())) * 500;
    bytes += static_cast<std::size_t>(members) * 250;
    if (settings.memberDetails != 0) {
        for (int i = 0; i < members; ++i) {
            const Member& m = game.memberAt(i);
            const int rows = std::clamp(game.settings.maxBet, 0, m.voteCount());
            bytes += 1000 + static_cast<std::size_t>(rows) * 250;
        }
    }
    return bytes;
}

}  // namespace

std::string htmlReportBytes(const Game& game, const ReportSettings& settings) {
    const ImageFragments images = imageFragments(settings);
    std::string page;
    page.reserve(estimatedBytes(game, settings));

    page += "<HTML><HEAD><TITLE>";
    appendText(page, settings.title);
    page += "</TITLE></HEAD><BODY ";
    appendText(page, images.backgroundAttribute);
    page += "BGCOLOR=\"f0f0ff\"><CENTER>\r\n";

    page += "<HR>";
    appendText(page, images.topImageTag);
    page += "<h1>";
    appendText(page, images.leftImageTag);
    appendText(page, settings.title);
    appendText(page, images.rightImageTag);
    page += "</h1>\r\n";

    if (game.settings.over != 0) page += rt::kFixedBanner;
    page += "<b>";
    appendText(page, settings.date);
    page += "</b><BR>\r\n<b>";
    appendText(page, settings.editor);
    page += "</b><BR>\r\n<HR>";
    appendText(page, greetingToHtml(settings.head));
    page += "\r\n";
    page += rt::kContents;

    writeScoringExplanation(page, game.settings, images);

    page += "<a name=\"memberlist\">\r\n";
    page += sectionHeading(images, rt::kMembersTitle);
    writeMemberSection(page, game, settings);

    page += "<a name=\"teamlist\">\r\n";
    page += sectionHeading(images, rt::kTeamsTitle);
    writeTeamSection(page, game, settings);

    page += "<HR>";
    appendText(page, greetingToHtml(settings.foot));
    page += "\r\n";
    page += "<HR><div align=\"right\"><i><small><a href=\"#\">";
    page += kVersionLine;
    page += "</a></small></i></div>\r\n";
    page += "<HR></CENTER></BODY></HTML>\r\n";
    return page;
}

void writeHtmlReport(const Game& game, const std::string& path, const ReportSettings& settings) {
    writeFileAtomically(path, htmlReportBytes(game, settings));
}

}  // namespace scorvale
