#include "platform/smb/SmbUrl.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(SmbUrl, ServersSharesAndFoldersBecomeUrls) {
    EXPECT_EQ(SmbUrlFromUnc(L"\\\\FILESRV"), "smb://FILESRV/");
    EXPECT_EQ(SmbUrlFromUnc(L"\\\\127.0.0.2\\Public"), "smb://127.0.0.2/Public");
    EXPECT_EQ(SmbUrlFromUnc(L"\\\\srv\\C$\\Users\\Default"), "smb://srv/C%24/Users/Default");
    EXPECT_EQ(SmbWorkgroupUrl(L"WORKGROUP"), "smb://WORKGROUP/");
}

TEST(SmbUrl, EveryCharacterThatMeansSomethingInAUrlIsEncoded) {
    // '@' and ';' would start a user and a domain, '%' an escape, '#' a fragment.
    EXPECT_EQ(SmbUrlFromUnc(L"\\\\srv\\share\\50% off #1 & a;b@c+d"),
              "smb://srv/share/50%25%20off%20%231%20%26%20a%3Bb%40c%2Bd");
    // Non-ASCII names go as their UTF-8 bytes.
    EXPECT_EQ(SmbUrlFromUnc(L"\\\\srv\\B\u00FCcher\\\u65E5"), "smb://srv/B%C3%BCcher/%E6%97%A5");
    EXPECT_EQ(PercentEncode("A-z_0.9~"), "A-z_0.9~");
}

TEST(SmbUrl, PathsAreNormalisedAsWindowsDoesNeverAboveTheShare) {
    EXPECT_EQ(SmbUrlFromUnc(L"\\\\srv\\share\\\\a\\.\\b\\..\\c\\"), "smb://srv/share/a/c");
    EXPECT_EQ(SmbUrlFromUnc(L"\\\\srv\\share\\..\\..\\x"), "smb://srv/share/x");
}

TEST(SmbUrl, AUrlNamesItsPathInMessages) {
    for (const wchar_t* path : {L"\\\\srv", L"\\\\srv\\C$\\50% off #1 & a;b@c", L"\\\\srv\\B\u00FCcher\\\u65E5"}) {
        EXPECT_EQ(UncFromSmbUrl(*SmbUrlFromUnc(path)), path);
    }
    EXPECT_EQ(UncFromSmbUrl("smb://srv/a%2"), L"\\\\srv\\a%2"); // a broken escape stays as it is
}

TEST(SmbUrl, TextsThatAreNoUncPathsAreRefused) {
    for (const wchar_t* text : {L"", L"\\", L"\\\\", L"\\\\\\srv", L"srv\\share", L"\\\\..\\share", L"\\\\a/b\\share",
                                L"smb://srv/share", L"\\\\srv\\share\\what?"}) {
        EXPECT_FALSE(SmbUrlFromUnc(text)) << text;
    }
    EXPECT_FALSE(SmbUrlFromUnc(std::wstring(L"\\\\srv\\sh\0are", 12)));
}

} // namespace
} // namespace vk
