#include "vkfind/Vkfind.h"

#include "platform/SystemMessages.h"
#include "platform/Utf8.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vk {
namespace {

// A listing of a server that gives no share list says why, in the system's words.
TEST(VkfindBrowseFailure, AServerThatGivesNoShareListSaysWhy) {
    test::TempTree tree;
    tree.MakeFile("prov/DOM/SRV/docs/a.txt", "alpha\n");
    tree.MakeFile("network-faults.txt", "unreachable \\\\SRV\n");
    for (const auto& args :
         std::vector<std::vector<std::wstring>>{{L"--list", L"\\\\SRV\\docs"}, {L"--shares", L"\\\\SRV"}}) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunVkfind(args, tree.Root(), out, err), kExitNetworkUnreadable);
        const std::string why = "cannot list the shares of \\\\SRV: " + Utf8FromWide(SystemErrorText(kErrorBadNetPath));
        EXPECT_NE(err.str().find(why), std::string::npos) << err.str();
        EXPECT_TRUE(out.str().empty());
    }
}

} // namespace
} // namespace vk
