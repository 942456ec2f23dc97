#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/records.h"

namespace scorvale {

// The page is written as a text file is: every line feed becomes CR LF, the
// ones inside user texts too. Everything else goes out byte for byte.
void appendText(std::string& page, std::string_view text);
void appendInt(std::string& page, std::int32_t value);    // %d
void appendInt3(std::string& page, std::int32_t value);   // %3d
void appendInt03(std::string& page, std::int32_t value);  // %03d

// Tags built once from the four image names; an empty name gives "".
struct ImageFragments {
    std::string backgroundAttribute;
    std::string topImageTag;
    std::string leftImageTag;
    std::string rightImageTag;
};
ImageFragments imageFragments(const ReportSettings& settings);

// <HR><h3>, the left image, the text, the right image, </h3> and a line end.
std::string sectionHeading(const ImageFragments& images, std::string_view text);

// Every line feed becomes "<BR>\n"; a CR before it stays in front of the <BR>.
std::string greetingToHtml(std::string_view text);

// A team's picture cell content: its symbol image, or "-" without one.
void appendTeamPicture(std::string& page, const Team& team);

// Rows a ranking table shows: 5 for range 0, 10 for range 1, all otherwise,
// never more than `size`.
int reportRowLimit(std::int32_t range, int size);

}  // namespace scorvale
