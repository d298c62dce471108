#pragma once
// The network tree pane: a form (template IDD_TREE_VIEW) filled by the tree control. Its initial
// update gives the tree its colour and pictures, hands it to the engine as the search scope,
// restores the servers added by name and enumerates the top of the network. "Add Server..." (the
// Tools menu, which the frame passes on, and the tree's pop-up menu) adds servers by name; Delete
// and the pop-up menu remove one, and the list is kept in the profile. A double-click browses the selected node: the
// engine adds what lies below it to the tree and, for a server, share or folder, lists it in the result list.
// The enumerations run on threads of the engine; each tells the view by a posted message when its
// outcome waits, and the view has the engine apply it.

#include "engine/EngineHost.h"
#include "framework/FormView.h"
#include "network/win/CheckTreeCtrl.h"

#include <memory>
#include <type_traits>

namespace vk {

class CUpView final : public ui::FormView {
public:
    // document: the holder of the engine (the document), which must outlive the view.
    explicit CUpView(IEngineHost& document);
    // Takes the tree back from the engine before it goes (see ReleaseTree).
    ~CUpView() override;

    void OnInitialUpdate() override;

    [[nodiscard]] CCheckTreeCtrl& Tree() { return tree_; }
    [[nodiscard]] HIMAGELIST NodeImages() const { return nodeImages_.get(); }
    [[nodiscard]] HIMAGELIST CheckImages() const { return checkImages_.get(); }

    // The tree's text colour (the system's in high contrast).
    static constexpr COLORREF kTextColor = RGB(0, 0, 255);

protected:
    bool ProcessMessage(ui::Message& m) override;
    void OnFinalMessage() override;

private:
    struct ImageListDeleter {
        void operator()(HIMAGELIST images) const { ImageList_Destroy(images); }
    };
    using ImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

    bool OnInitDialog(ui::Message& m);
    bool OnSize(ui::Message& m);
    bool OnDestroy(ui::Message& m);
    bool OnSysColorChange(ui::Message& m);
    bool OnDoubleClick(ui::Message& m);
    bool OnEnter(ui::Message& m);
    bool OnTreeKeyDown(ui::Message& m);
    bool OnContextMenu(ui::Message& m);
    bool OnAddServer(ui::Message& m);
    bool OnRemoveServer(ui::Message& m);
    // Enumerations of nodes that finished on their threads: applied here.
    bool OnBrowsesFinished(ui::Message& m);
    void RemoveSelectedServer();
    // Whether the selected node is an added server that can go now (no search walks the tree).
    [[nodiscard]] bool CanRemoveSelected() const;
    // Opens the provider and the added servers' group, so that the servers are seen.
    void ShowAddedServers();
    // Keeps the added servers in the profile.
    void SaveServers() const;
    // Lists what is below the selected node into the tree, as a double-click does.
    void BrowseSelected();

    void CreateImageLists();
    // A search walks the tree from the engine's threads: they must have ended before the tree
    // goes, and the engine must forget the tree.
    void ReleaseTree();

    IEngineHost& document_;
    CSearchEngine* engine_ = nullptr;
    CCheckTreeCtrl tree_;
    ImageList nodeImages_;
    ImageList checkImages_;
};

} // namespace vk
