// Browsing a share or folder node: its entries in the result list, its subfolders in the tree.

#include "engine/HitWriter.h"
#include "engine/SearchEngine.h"
#include "platform/SystemMessages.h"

namespace vk {

std::wstring CSearchEngine::BuildNodePath(TreeNode node) {
    IScopeTree& tree = *tree_;
    TreeNode parent = tree.Parent(node);
    std::wstring path = tree.Text(parent);
    // Up through the share and folder nodes to the first network node, normally the server,
    // whose text is its remote name.
    while (parent != kNoNode && tree.Data(parent) == NODE_IS_PATH) {
        parent = tree.Parent(parent);
        path = tree.Text(parent) + L"\\" + path;
    }
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) {
        path.push_back(L'\\');
    }
    return path + tree.Text(node);
}

void CSearchEngine::BrowseFolder(TreeNode node) {
    if (searchActive) {
        return;
    }
    IScopeTree& tree = *tree_;
    const std::wstring path = BuildNodePath(node);
    ErrorCode error = kErrorSuccess;
    auto listing = services_.fileSystem->FindFirst(path + L"\\*", ListingDetail::kNamesAndSizes, error);
    if (!listing) {
        // The list and the store keep their contents.
        if (services_.messages) {
            services_.messages->ShowMessage(SystemErrorText(error), kProgramName);
        }
        return;
    }

    const bool addToTree = tree.FirstChild(node) == kNoNode;
    IResultList& list = *services_.resultList;
    list.DeleteAllRows();
    resultStore_.Clear();
    const std::wstring prefix = path + L"\\";
    int position = 0;
    DirEntry entry;
    while (listing->Next(entry)) {
        if (entry.name == L"." || entry.name == L"..") {
            continue;
        }
        const std::size_t index = resultStore_.Append(prefix + entry.name, entry.size);
        if (entry.isDirectory) {
            const int row = list.InsertRow(position, entry.name, services_.iconIndex->IndexOfKey(L"."));
            list.SetRowData(row, static_cast<std::intptr_t>(index));
            list.SetColumnText(row, 2, prefix);
            if (addToTree) {
                tree.InsertNode(
                    node, {entry.name, NODE_IS_PATH, kImageFolder, kImageOpenFolder, false, tree.GetCheckState(node)});
            }
        } else {
            const int row = list.InsertRow(position, entry.name, services_.iconIndex->IconIndexForFile(entry.name));
            list.SetRowData(row, static_cast<std::intptr_t>(index));
            list.SetColumnText(row, 1, SizeText(entry.size));
            list.SetColumnText(row, 2, prefix);
        }
        ++position;
    }
}

} // namespace vk
