// The command strings' two halves and where Help finds its file.
#include "shell/CommandPrompt.h"
#include "shell/HelpFile.h"

#include <gtest/gtest.h>

#include <set>

namespace vk {
namespace {

TEST(CommandPrompt, ThePromptComesBeforeTheLineBreakAndTheTooltipAfterIt) {
    EXPECT_EQ(PromptOf(L"Save result to file\nSave(Ctrl+S)"), L"Save result to file");
    EXPECT_EQ(TooltipOf(L"Save result to file\nSave(Ctrl+S)"), L"Save(Ctrl+S)");
    EXPECT_EQ(PromptOf(L"Select all"), L"Select all");
    EXPECT_EQ(TooltipOf(L"Select all"), L"");
    EXPECT_EQ(PromptOf(L""), L"");
    EXPECT_EQ(TooltipOf(L"\nTip"), L"Tip");
}

TEST(HelpFile, TheProgramsFolderComesFirstThenTheCurrentDirectory) {
    std::set<std::wstring> files;
    const auto exists = [&](const std::wstring& path) { return files.count(path) != 0; };

    EXPECT_EQ(FindHelpFile(L"C:\\Program\\", exists), std::nullopt);
    files.insert(L"Varnokle.chm");
    EXPECT_EQ(FindHelpFile(L"C:\\Program", exists), L"Varnokle.chm");
    EXPECT_EQ(FindHelpFile(L"", exists), L"Varnokle.chm");
    files.insert(L"C:\\Program\\Varnokle.chm");
    EXPECT_EQ(FindHelpFile(L"C:\\Program\\", exists), L"C:\\Program\\Varnokle.chm");
    EXPECT_EQ(FindHelpFile(L"C:\\Program", exists), L"C:\\Program\\Varnokle.chm"); // the separator added
    files.erase(L"Varnokle.chm");
    EXPECT_EQ(FindHelpFile(L"C:\\Program", exists), L"C:\\Program\\Varnokle.chm");
    EXPECT_EQ(FindHelpFile(L"", exists), std::nullopt);
}

} // namespace
} // namespace vk
