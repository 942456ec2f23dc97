#include <gtest/gtest.h>

#include "report/html_text.h"
#include "tests/core/report_test_texts.h"

namespace scorvale {
namespace {

using testing::sj;

TEST(HtmlText, EscapesWhatMarkupWouldRead) {
    const struct {
        std::string sjis;
        const char* html;
    } cases[] = {
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"A&B \"x\" 'y'", "A&amp;B &quot;x&quot; &#39;y&#39;"},
        {"&amp;", "&amp;amp;"},  // the game's text is text, references too
        {sj("日本<b>代表"), "日本&lt;b&gt;代表"},
        {sj("ｱﾙｾﾞﾝﾁﾝ①"), "ｱﾙｾﾞﾝﾁﾝ①"},
        {"\xff", "\xEF\xBF\xBD"},  // not Shift-JIS: shown as a replacement character
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(html::text(c.sjis), c.html) << c.html;
}

TEST(HtmlText, ImageNamesBecomeUrlsThatNeedNoEscaping) {
    const struct {
        std::string sjis;
        const char* url;
    } cases[] = {
        {"flag.png", "flag.png"},
        {"top image #1.png", "top%20image%20%231.png"},  // the # would start a fragment
        {sj("画像.gif"), "%E7%94%BB%E5%83%8F.gif"},
        {"http://example.org/a.png", "http://example.org/a.png"},
        {"a\"onerror=x", "a%22onerror%3Dx"},
        {"a)b'c\\d", "a%29b%27c%5Cd"},  // nothing that ends a url() or an attribute
        {"50%.png", "50%25.png"},
    };
    for (const auto& c : cases) EXPECT_EQ(html::imageUrl(c.sjis), c.url) << c.url;
}

// The kept tags keep their meaning; everything else reads as the text it is.
TEST(HtmlText, GreetingKeepsASmallSafeSetOfTags) {
    const struct {
        std::string sjis;
        const char* html;
    } cases[] = {
        {"a\r\nb\nc", "a<br>\nb<br>\nc"},
        {"<b>bold</b> <STRONG>s</STRONG>", "<b>bold</b> <strong>s</strong>"},
        {"<CENTER>hi</CENTER>", "<div class=\"c\">hi</div>"},
        {"<font color=red size=+2>r</font>", "<span style=\"color:red\">r</span>"},
        {"<font color=\"red;background:url(x)\">r</font>", "<span>r</span>"},
        {"<a href=\"https://e.org/?a=1&b=2\" onclick=\"x()\">x</a>", "<a href=\"https://e.org/?a=1&amp;b=2\">x</a>"},
        {"<a href='rules.html'>local</a>", "<a href=\"rules.html\">local</a>"},
        {"<a href=\"javascript:alert(1)\">x</a>", "<a>x</a>"},
        {"<a href=\" JavaScript:alert(1)\">x</a>", "<a>x</a>"},
        {"<a href=\"data:text/html,x\">x</a>", "<a>x</a>"},
        // Read as written, the reference stays text: a fragment, not a scheme.
        {"<a href=\"&#106;avascript:alert(1)\">x</a>", "<a href=\"&amp;#106;avascript:alert(1)\">x</a>"},
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"<img src=x onerror=alert(3)>", "&lt;img src=x onerror=alert(3)&gt;"},
        {"<b onclick=\"x()\">y</b>", "<b>y</b>"},
        {"<div>x</div>", "&lt;div&gt;x&lt;/div&gt;"},
        {"<i>never closed", "<i>never closed</i>"},
        {"</b>stray", "stray"},
        {"<b><i>x</b>y", "<b><i>x</i></b>y"},
        {"<p>one<p>two", "<p>one<p>two</p></p>"},
        {"<BR><br/><hr>", "<br><br><hr>"},
        {"3 < 5 & 7 > 2", "3 &lt; 5 &amp; 7 &gt; 2"},
        {"&copy; &#169; &#xA9; &bogus &#; \"q\"", "&copy; &#169; &#xA9; &amp;bogus &amp;#; &quot;q&quot;"},
        {"<!-- hidden -->shown <!-- open", "shown &lt;!-- open"},
        {"<b", "&lt;b"},
        {"< b>", "&lt; b&gt;"},
        {"<b title=\"unterminated>x", "&lt;b title=&quot;unterminated&gt;x"},
        {sj("ようこそ<b>皆さん</b>"), "ようこそ<b>皆さん</b>"},
    };
    for (const auto& c : cases) EXPECT_EQ(html::greeting(c.sjis), c.html) << c.html;
}

}  // namespace
}  // namespace scorvale
