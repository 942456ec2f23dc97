#pragma once

#include <string>
#include <string_view>

namespace scorvale::html {

// The game's Shift-JIS `text` as UTF-8, with & < > " ' written as character
// references, so that it shows as written in text and in quoted attributes.
void appendText(std::string& out, std::string_view sjis);
std::string text(std::string_view sjis);

// The same for UTF-8 text.
void appendEscaped(std::string& out, std::string_view utf8);

// An image name the user gave, as a relative URL: every byte outside letters,
// digits and - . _ ~ / : @ is percent-encoded (the name in UTF-8), so a file
// name with a blank, # or ? still names that file, and the URL needs no more
// escaping in an attribute or in CSS.
std::string imageUrl(std::string_view sjis);

// A greeting as HTML. A small set of tags keeps its meaning: b strong i em u s
// small br hr p, center (as a centred block), font with a plain colour, and a
// with an http, https, mailto or relative href; their other attributes go.
// Every other tag shows as text, comments are dropped, character references
// stay, a lone & becomes &amp;, line ends become <br>, and every element left
// open is closed at the end.
std::string greeting(std::string_view sjis);

}  // namespace scorvale::html
