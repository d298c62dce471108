#include "results/ExportStream.h"
#include "results/FileErrorText.h"
#include "results/ResultExport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vk {
namespace {

const std::string kPageStart = "<html><title>Varnokle - result</title>\r\r\n<body><table border=\"1\">"
                               "<tr bgcolor=\"#0000ff\"><td width=\"40%\"><font color=\"white\">Name</font></td>"
                               "<td width=\"40%\"><font color=\"white\">Path</font></td>"
                               "<td width=\"20%\"><font color=\"white\">Size</font></td></tr>";
const std::string kPageEnd = "\r\r\n</table></body></html>";

TEST(ExportFormat, OnlyExactlyHtmlOrHtmGiveThePage) {
    for (const wchar_t* name : {L"C:\\out\\r.html", L"r.htm", L"\\\\SRV\\share\\a.b.html"}) {
        EXPECT_EQ(ExportFormatFor(name), ExportFormat::kHtml) << name;
    }
    for (const wchar_t* name : {L"r.HTML", L"r.Htm", L"r.txt", L"r.csv", L"C:\\no extension", L"C:\\dir.html\\file",
                                L"r.html.txt", L"", L"r.html "}) {
        EXPECT_EQ(ExportFormatFor(name), ExportFormat::kText) << name;
    }
    EXPECT_EQ(TextExportPath(L""), L"unknoun.txt");
    EXPECT_EQ(TextExportPath(L"C:\\r.txt"), L"C:\\r.txt");
}

TEST(ExportStream, Latin1BytesLineFeedsAsCrLfAndReferencesAboveByteRange) {
    ExportStream out;
    out.Write(L"a\n");
    out.Write(L"\r\n");
    out.Write(L"caf\u00e9 \u00ff");
    EXPECT_FALSE(out.WroteReferences());
    EXPECT_EQ(out.Bytes(), "a\r\n\r\r\ncaf\xe9 \xff");
    out.Write(L"\u0416\u0100");
    EXPECT_TRUE(out.WroteReferences());
    EXPECT_EQ(out.Bytes().substr(out.Bytes().size() - 13), "&#1046;&#256;");
}

TEST(ExportStream, ACharacterBeyondTheBasicPlaneIsOneReference) {
    ExportStream out;
    std::wstring text;
    if constexpr (sizeof(wchar_t) == 2) {
        text = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    } else {
        text = {static_cast<wchar_t>(0x1F600)};
    }
    out.Write(text);
    EXPECT_EQ(out.Bytes(), "&#128512;");
}

TEST(TextExport, OnePathALineInStoreOrderEndedByCrLf) {
    EXPECT_EQ(TextExport({}), "");
    EXPECT_EQ(TextExport({L"\\\\SRV\\share", L"\\\\SRV\\share\\b\\r\u00e9sum\u00e9.doc", L"\\\\SRV\\share\\a.txt"}),
              "\\\\SRV\\share\r\n\\\\SRV\\share\\b\\r\xe9sum\xe9.doc\r\n\\\\SRV\\share\\a.txt\r\n");
    // A path with a character no byte can hold keeps it, as a reference.
    EXPECT_EQ(TextExport({L"\\\\SRV\\s\\\u0416.txt"}), "\\\\SRV\\s\\&#1046;.txt\r\n");
}

TEST(HtmlExport, HeaderRowAndFrameExactly) {
    const std::string page = HtmlExport({});
    EXPECT_EQ(page, kPageStart + kPageEnd);
    // The header row piece is 183 characters; CR CR LF between the title and the body; no line
    // break after </html>.
    EXPECT_NE(page.find("</title>\r\r\n<body>"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 7), "</html>");
}

TEST(HtmlExport, RowsInGivenOrderWithLinksAndNbspForEmptySizes) {
    const std::string page = HtmlExport(
        {{L"a.txt", L"12", L"\\\\SRV\\share"}, {L"Docs", L"", L"\\\\SRV\\share\\"}, {L"caf\u00e9", L"", L"\\\\SRV"}});
    const std::string rows = "\r\n<tr><td>\r\n<a href=\"\\\\SRV\\share\\a.txt\">a.txt</a></td>"
                             "\r\n<td><a href=\"\\\\SRV\\share\">\\\\SRV\\share</a>\r\n</td>\r\n<td>12\r\n</td>"
                             "\r\n</tr>\r\n"
                             // The path already ends with a backslash: no second one before the name.
                             "\r\n<tr><td>\r\n<a href=\"\\\\SRV\\share\\Docs\">Docs</a></td>"
                             "\r\n<td><a href=\"\\\\SRV\\share\\\">\\\\SRV\\share\\</a>\r\n</td>\r\n<td>&nbsp\r\n</td>"
                             "\r\n</tr>\r\n"
                             "\r\n<tr><td>\r\n<a href=\"\\\\SRV\\caf\xe9\">caf\xe9</a></td>"
                             "\r\n<td><a href=\"\\\\SRV\">\\\\SRV</a>\r\n</td>\r\n<td>&nbsp\r\n</td>"
                             "\r\n</tr>\r\n";
    EXPECT_EQ(page, kPageStart + rows + kPageEnd);
}

TEST(HtmlExport, NamesAndPathsAreEscapedInCellsAndLinks) {
    const std::string page = HtmlExport({{L"<img src=x onerror=alert(1)>.txt", L"1", L"\\\\SRV\\a&b"},
                                         {L"say \"hi\".txt", L"2", L"\\\\SRV\\s"},
                                         {L"\u0416\u0443\u043a.txt", L"3", L"\\\\SRV\\\u0444"}});
    EXPECT_EQ(page.find("<img"), std::string::npos);
    EXPECT_EQ(page.find("\"hi\""), std::string::npos);
    EXPECT_NE(page.find("<a href=\"\\\\SRV\\a&amp;b\\&lt;img src=x onerror=alert(1)&gt;.txt\">"
                        "&lt;img src=x onerror=alert(1)&gt;.txt</a></td>"),
              std::string::npos);
    EXPECT_NE(page.find("<a href=\"\\\\SRV\\a&amp;b\">\\\\SRV\\a&amp;b</a>"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"\\\\SRV\\s\\say &quot;hi&quot;.txt\">say &quot;hi&quot;.txt</a>"),
              std::string::npos);
    // Characters above 255 as numeric references, in the link target as in the text.
    EXPECT_NE(page.find("<a href=\"\\\\SRV\\&#1092;\\&#1046;&#1091;&#1082;.txt\">&#1046;&#1091;&#1082;.txt</a>"),
              std::string::npos);
    EXPECT_EQ(HtmlEscaped(L"a&<>\"'b"), L"a&amp;&lt;&gt;&quot;'b");
}

TEST(FileErrorText, NamesTheFileInTheWordsOfItsFailure) {
    EXPECT_EQ(FileErrorText(5, L"C:\\r.html"), L"Access to C:\\r.html was denied.");
    EXPECT_EQ(FileErrorText(3, L"X:\\no\\r.txt"), L"X:\\no\\r.txt contains an invalid path.");
    EXPECT_EQ(FileErrorText(123, L"a?.txt"), L"a?.txt contains an invalid path.");
    EXPECT_EQ(FileErrorText(32, L"r.txt"), L"A sharing violation occurred while accessing r.txt.");
    EXPECT_EQ(FileErrorText(112, L"r.txt"), L"Disk full while accessing r.txt.");
    EXPECT_EQ(FileErrorText(999999, L"r.txt"), L"An unexpected file error occurred while accessing r.txt.");
    EXPECT_EQ(FileCloseErrorText(L"r.txt"), L"Disk full while accessing r.txt.");
}

} // namespace
} // namespace vk
