// The result view with its list and icon cache, hosted in a real window and filled by the real
// engine on a folder network. Shell calls are recorded instead of carried out.
#include "document/Varnokle2Doc.h"
#include "engine/EngineLocks.h"
#include "engine/EngineTexts.h"
#include "platform/LongPaths.h"
#include "platform/NetworkEnvironment.h"
#include "resource.h"
#include "results/win/ModifiedText.h"
#include "results/win/ResultListCtrl.h"
#include "results/win/ShellActions.h"
#include "results/win/ShellIconCache.h"
#include "results/win/Varnokle2View.h"
#include "support/TempTree.h"
#include "ui/support/MenuDriver.h"
#include "ui/support/PaneHost.h"
#include "ui/support/Watchdog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vk {
namespace {

using testing::PaneHost;
using testing::Watchdog;

struct ShellCall {
    std::wstring verb; // "properties" for the properties sheet
    std::wstring path;
    HWND owner = nullptr;
    bool operator==(const ShellCall&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ShellCall& call) {
    return out << '{' << std::string(call.verb.begin(), call.verb.end()) << ", "
               << std::string(call.path.begin(), call.path.end()) << ", " << call.owner << '}';
}

// Asks the file system for attributes as the program does, and records the rest.
class RecordingShell final : public IShellActions {
public:
    explicit RecordingShell(const NetworkEnvironment& environment) : system_(environment) {}
    DWORD Attributes(const std::wstring& path) override { return system_.Attributes(path); }
    void Execute(const std::wstring& verb, const std::wstring& path, HWND owner) override {
        calls.push_back({verb, path, owner});
    }
    void ShowProperties(const std::wstring& path) override { calls.push_back({L"properties", path, nullptr}); }

    std::vector<ShellCall> calls;

private:
    ShellActions system_;
};

constexpr const wchar_t* kShare = L"\\\\SRV\\share";

// Waits for the end of a search, handling the messages its threads send meanwhile (the last
// of them come after searchActive has dropped).
bool WaitForSearchEndHandlingMessages(CSearchEngine& engine) {
    if (!PaneHost::PumpUntil([&] { return !engine.SearchThreadsRunning(); })) {
        return false;
    }
    engine.WaitForSearchEnd();
    return true;
}

class ResultView : public ::testing::Test {
protected:
    void SetUp() override { tree_.MakeDir("Net/DOM/SRV/share"); }

    // The view over the folder network as it stands; call once the files are made.
    void Open() {
        ASSERT_EQ(environment_.UseFolderNetwork(tree_.Root()), kErrorSuccess);
        doc_ = std::make_unique<CVarnokle2Doc>(environment_);
        shell_ = std::make_unique<RecordingShell>(environment_);
        view_ = std::make_unique<CVarnokle2View>(*doc_, shell_.get());
        ASSERT_TRUE(host_.Host(*view_));
    }

    void TearDown() override {
        view_.reset();
        doc_.reset();
    }

    void MakeFile(const std::string& relative, std::string_view bytes = "x") {
        tree_.MakeFile("Net/DOM/SRV/share/" + relative, bytes);
    }

    // A search as a form's Start button runs it, waited for while the messages of its threads are
    // handled.
    void Search(const std::wstring& mask, std::vector<std::wstring> scope = {kShare}) {
        CSearchEngine& engine = doc_->Engine();
        engine.Request().fileMask = mask;
        engine.SetScopePaths(std::move(scope));
        engine.searchRunning = true;
        engine.StartSearch();
        ASSERT_TRUE(WaitForSearchEndHandlingMessages(engine));
        CatchUp();
    }

    // Waits for the refresh that brings the list's painting and the item count up to date.
    void CatchUp() {
        ASSERT_TRUE(PaneHost::PumpUntil([&] { return !view_->RefreshPending(); }));
    }

    CResultListCtrl& List() { return view_->List(); }

    [[nodiscard]] std::vector<std::wstring> Column(int column) {
        std::vector<std::wstring> texts;
        for (int row = 0; row < List().ItemCount(); ++row) {
            texts.push_back(List().ItemText(row, column));
        }
        return texts;
    }

    int RowNamed(const std::wstring& name) {
        for (int row = 0; row < List().ItemCount(); ++row) {
            if (List().ItemText(row, 0) == name) {
                return row;
            }
        }
        ADD_FAILURE() << "no row named " << std::string(name.begin(), name.end());
        return -1;
    }

    std::wstring StorePathOf(int row) {
        return doc_->Engine().Results().Path(static_cast<std::size_t>(List().GetRowData(row))).value_or(L"?");
    }

    void Notify(UINT code, int item, int subItem) {
        NMLISTVIEW notice{};
        notice.hdr.hwndFrom = List().Handle();
        notice.hdr.idFrom = IDC_RESULT_LIST;
        notice.hdr.code = code;
        notice.iItem = item;
        notice.iSubItem = subItem;
        SendMessageW(view_->Handle(), WM_NOTIFY, IDC_RESULT_LIST, reinterpret_cast<LPARAM>(&notice));
    }
    void ClickColumn(int column) { Notify(LVN_COLUMNCLICK, -1, column); }
    void Command(UINT id) { SendMessageW(view_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    void Select(const std::vector<int>& rows) {
        for (int row = 0; row < List().ItemCount(); ++row) {
            List().SelectItem(row, false);
        }
        for (const int row : rows) {
            List().SelectItem(row, true);
        }
    }

    // The middle of a row's label, in the list's client coordinates.
    POINT PointOnRow(int row) {
        RECT rect{};
        rect.left = LVIR_LABEL;
        SendMessageW(List().Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        return {rect.left + 4, (rect.top + rect.bottom) / 2};
    }

    std::wstring ItemCountText() { return host_.statusBar.PaneText(kPaneItemCount); }

    test::TempTree tree_;
    NetworkEnvironment environment_;
    PaneHost host_{800, 600};
    std::unique_ptr<CVarnokle2Doc> doc_;
    std::unique_ptr<RecordingShell> shell_;
    std::unique_ptr<CVarnokle2View> view_;
};

// Set-up

TEST_F(ResultView, InitialUpdateMakesColumnsQuartersAndHalfOfTheViewWidth) {
    Open();
    RECT window{};
    GetWindowRect(view_->Handle(), &window);
    ASSERT_EQ(window.right - window.left, 800);
    EXPECT_EQ(List().ColumnTitle(0), L"Name");
    EXPECT_EQ(List().ColumnTitle(1), L"Size");
    EXPECT_EQ(List().ColumnTitle(2), L"Path");
    EXPECT_EQ(List().ColumnWidth(0), 200);
    EXPECT_EQ(List().ColumnWidth(1), 200);
    EXPECT_EQ(List().ColumnWidth(2), 400);
}

TEST_F(ResultView, InitialUpdatePublishesListAndIconsAndSetsTheLook) {
    Open();
    EXPECT_EQ(theResultList, &view_->List());
    EXPECT_EQ(theIconCache, &view_->IconCache());
    EXPECT_EQ(doc_->resultView, view_.get());
    EXPECT_EQ(doc_->Engine().Services().resultList, &view_->List());
    EXPECT_EQ(doc_->Engine().Services().iconIndex, &view_->IconCache());

    EXPECT_NE(List().ExtendedStyle() & LVS_EX_FULLROWSELECT, 0u);
    EXPECT_EQ(List().TextColor(), RGB(0, 0, 255));
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(List().Send(LVM_GETIMAGELIST, LVSIL_SMALL)),
              view_->IconCache().SmallImages());
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(List().Send(LVM_GETIMAGELIST, LVSIL_NORMAL)),
              view_->IconCache().LargeImages());
    EXPECT_EQ(ImageList_GetImageCount(view_->IconCache().SmallImages()), 2);
}

TEST_F(ResultView, ListFillsTheViewWhenItIsResized) {
    Open();
    MoveWindow(host_.Handle(), 10, 10, 640, 480, TRUE);
    ui::PumpWaitingMessages();
    RECT view{};
    GetClientRect(view_->Handle(), &view);
    RECT list{};
    GetWindowRect(List().Handle(), &list);
    MapWindowPoints(nullptr, view_->Handle(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, 0);
    EXPECT_EQ(list.right, view.right);
    EXPECT_EQ(list.bottom, view.bottom);
}

TEST_F(ResultView, ImageListsOutliveTheListWindow) {
    Open();
    const HIMAGELIST small = view_->IconCache().SmallImages();
    const HIMAGELIST large = view_->IconCache().LargeImages();
    // The list goes first when its window does; the cache still owns the image lists.
    DestroyWindow(view_->Handle());
    ui::PumpWaitingMessages();
    EXPECT_EQ(ImageList_GetImageCount(small), 2);
    EXPECT_EQ(ImageList_GetImageCount(large), 2);
}

// Rows from a search

TEST_F(ResultView, SearchFillsRowsWithNameSizePathAndIcons) {
    MakeFile("report.txt", "hello");
    MakeFile("notes.TXT", "");
    MakeFile("sub/deep.txt", "0123456789");
    Open();
    Search(L"*");

    ASSERT_EQ(List().ItemCount(), 4);
    const int report = RowNamed(L"report.txt");
    const int notes = RowNamed(L"notes.TXT");
    const int sub = RowNamed(L"sub");
    const int deep = RowNamed(L"deep.txt");
    EXPECT_EQ(List().ItemText(report, 1), L"5");
    EXPECT_EQ(List().ItemText(notes, 1), L"0");
    EXPECT_EQ(List().ItemText(sub, 1), L"");
    EXPECT_EQ(List().ItemText(deep, 1), L"10");
    EXPECT_EQ(List().ItemText(report, 2), kShare);
    EXPECT_EQ(List().ItemText(sub, 2), kShare);
    EXPECT_EQ(List().ItemText(deep, 2), std::wstring(kShare) + L"\\sub");

    // ".txt" is added once, as entry 2; folders show entry 1.
    EXPECT_EQ(List().ItemImage(report), 2);
    EXPECT_EQ(List().ItemImage(notes), 2);
    EXPECT_EQ(List().ItemImage(deep), 2);
    EXPECT_EQ(List().ItemImage(sub), 1);
    EXPECT_EQ(view_->IconCache().KeyCount(), 3u);
    EXPECT_EQ(ImageList_GetImageCount(view_->IconCache().SmallImages()), 3);
    EXPECT_EQ(ImageList_GetImageCount(view_->IconCache().LargeImages()), 3);

    // Each row's data leads to its full path.
    EXPECT_EQ(StorePathOf(report), std::wstring(kShare) + L"\\report.txt");
    EXPECT_EQ(StorePathOf(deep), std::wstring(kShare) + L"\\sub\\deep.txt");

    EXPECT_EQ(ItemCountText(), L"4 items");
    EXPECT_EQ(host_.statusBar.PaneText(kPaneMessage), kTextSearchCompleted);
}

TEST_F(ResultView, ItemCountFollowsEachInsertionAndDeletion) {
    Open();
    std::vector<std::wstring> texts;
    for (int i = 0; i < 3; ++i) {
        List().InsertRow(i, L"row" + std::to_wstring(i), 0);
        texts.push_back(ItemCountText());
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"1 items", L"2 items", L"3 items"}));
    Select({1});
    Command(ID_EDIT_DELETE_ITEMS);
    EXPECT_EQ(ItemCountText(), L"2 items");
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"row0", L"row2"}));
}

// The last row the vertical scroll bar reaches; the list updates it only while it paints.
int ScrollRangeEnd(HWND list) {
    SCROLLINFO info{sizeof info, SIF_RANGE};
    return GetScrollInfo(list, SB_VERT, &info) ? info.nMax : -1;
}

TEST_F(ResultView, PaintingPausedWhileRowsStreamInResumesAfterwards) {
    Open();
    for (int i = 0; i < 100; ++i) {
        List().InsertRow(i, L"row", 0);
    }
    // Nothing painted, not even the scroll bar, until the thread has a moment to spare...
    EXPECT_LT(ScrollRangeEnd(List().Handle()), 99);
    // ...and then the list is brought up to date at once.
    EXPECT_TRUE(PaneHost::PumpUntil([&] { return ScrollRangeEnd(List().Handle()) == 99; }));
}

// A subclass procedure that counts the messages of one kind a window gets.
template <UINT kCounted>
LRESULT CALLBACK CountMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message == kCounted) {
        ++*reinterpret_cast<int*>(data);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(ResultView, RowsStreamingInAreDrawnOverThoseShownWithoutAnErase) {
    Open();
    const std::vector<NewRow> batch(3, NewRow{L"row", 0, L"1", L"\\\\SRV\\s", 0});
    List().InsertRows(0, batch);
    CatchUp();
    const HWND list = List().Handle();
    UpdateWindow(list);
    int erases = 0;
    SetWindowSubclass(list, &CountMessages<WM_ERASEBKGND>, 1, reinterpret_cast<DWORD_PTR>(&erases));
    List().InsertRows(3, batch);
    CatchUp();
    UpdateWindow(list);
    RemoveWindowSubclass(list, &CountMessages<WM_ERASEBKGND>, 1);
    EXPECT_EQ(erases, 0) << "the rows shown were erased before the new ones were drawn";
    EXPECT_EQ(ScrollRangeEnd(list), 5) << "the new rows are shown";
}

TEST_F(ResultView, BatchesThatMoveNoRowInViewLeaveTheListUnpainted) {
    Open();
    const std::vector<NewRow> batch(50, NewRow{L"row", 0, L"1", L"\\\\SRV\\s", 0});
    for (int i = 0; i < 4; ++i) {
        List().InsertRows(List().ItemCount(), batch);
    }
    CatchUp();
    const HWND list = List().Handle();
    UpdateWindow(list);
    // Walkers' batches land among the rows the list knows of, but below those in view: only the
    // scroll bar changes. One at the top moves every row in view, which are drawn again.
    struct Case {
        int position;
        int paints;
    };
    for (const Case& c : {Case{150, 0}, Case{200, 0}, Case{0, 1}}) {
        int paints = 0;
        SetWindowSubclass(list, &CountMessages<WM_PAINT>, 1, reinterpret_cast<DWORD_PTR>(&paints));
        List().InsertRows(c.position, batch);
        CatchUp();
        UpdateWindow(list);
        RemoveWindowSubclass(list, &CountMessages<WM_PAINT>, 1);
        EXPECT_EQ(paints, c.paints) << "a batch at row " << c.position;
        EXPECT_EQ(ScrollRangeEnd(list), List().ItemCount() - 1) << "a batch at row " << c.position;
    }
}

TEST_F(ResultView, RowsStreamingInWithoutARestAreRepaintedAsTheyCome) {
    Open();
    // Batch after batch with no message handled between them, as when hits come fast: the
    // repaint timer never gets its turn, yet the list is painted at least every 200 ms. (The
    // repaint comes with the first batch that ends 100 ms after the last one: a loaded machine
    // stretches that by its slowest batch.)
    const std::vector<NewRow> batch(20, NewRow{L"row", 0, L"1", L"\\\\SRV\\s", 0});
    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration slowest{};
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(700)) {
        const auto before = std::chrono::steady_clock::now();
        List().InsertRows(List().ItemCount(), batch);
        slowest = std::max(slowest, std::chrono::steady_clock::now() - before);
    }
    const auto took = std::chrono::steady_clock::now() - start;
    const auto cycle = std::max<std::chrono::steady_clock::duration>(std::chrono::milliseconds(200),
                                                                     std::chrono::milliseconds(100) + slowest);
    EXPECT_GE(view_->ListRepaints(), static_cast<int>(took / cycle));
    EXPECT_GT(ScrollRangeEnd(List().Handle()), 0) << "the rows so far are shown";
}

TEST_F(ResultView, ABatchThatCatchesTheListUpPaintsItInAMessageOfItsOwn) {
    Open();
    const HWND list = List().Handle();
    const std::vector<NewRow> batch(3, NewRow{L"row", 0, L"1", L"\\\\SRV\\s", 0});
    List().InsertRows(0, batch);
    CatchUp();
    UpdateWindow(list);
    // Held back longer than the refresh's delay, with no message handled meanwhile.
    List().InsertRows(0, batch);
    const auto heldBack = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - heldBack < std::chrono::milliseconds(150)) {
    }
    int paints = 0;
    SetWindowSubclass(list, &CountMessages<WM_PAINT>, 1, reinterpret_cast<DWORD_PTR>(&paints));
    const int repaints = view_->ListRepaints();
    List().InsertRows(0, batch);
    EXPECT_EQ(view_->ListRepaints(), repaints + 1) << "the batch brought the list up to date";
    EXPECT_EQ(paints, 0) << "painted inside the batch";
    EXPECT_TRUE(PaneHost::PumpUntil([&] { return paints > 0; }));
    RemoveWindowSubclass(list, &CountMessages<WM_PAINT>, 1);
}

TEST_F(ResultView, WhileASearchRunsTheControlLearnsOnlyRowsThatShowAndTheRestAtItsEnd) {
    Open();
    CSearchEngine& engine = doc_->Engine();
    engine.searchActive = true;
    const HWND list = List().Handle();
    // So many rows that the scroll bar's thumb no longer moves or shrinks by a pixel for more.
    const std::vector<NewRow> batch(20000, NewRow{L"row", 0, L"1", L"\\\\SRV\\s", 0});
    List().InsertRows(0, batch);
    ASSERT_TRUE(PaneHost::PumpUntil([&] { return ScrollRangeEnd(list) == 19999; })) << "the first rows show";
    int counts = 0;
    SetWindowSubclass(list, &CountMessages<LVM_SETITEMCOUNT>, 1, reinterpret_cast<DWORD_PTR>(&counts));
    const int repaints = view_->ListRepaints();
    List().InsertRows(List().ItemCount(), std::span(batch).first(1000));
    ASSERT_TRUE(PaneHost::PumpUntil([&] { return view_->ListRepaints() > repaints; }));
    EXPECT_EQ(counts, 0) << "rows below the view that change nothing seen";
    EXPECT_EQ(List().GetItemCount(), 21000);
    EXPECT_EQ(ItemCountText(), L"21000 items");
    engine.searchActive = false;
    EXPECT_TRUE(PaneHost::PumpUntil([&] { return ScrollRangeEnd(list) == 20999; })) << "the search ended";
    RemoveWindowSubclass(list, &CountMessages<LVM_SETITEMCOUNT>, 1);
    EXPECT_EQ(counts, 1);
}

// Sorting

TEST_F(ResultView, NameSortsDescendingFirstThenAlternatesAcrossHeaderAndMenu) {
    MakeFile("mike.txt");
    MakeFile("Alpha.txt");
    MakeFile("zulu.txt");
    Open();
    Search(L"*");

    ClickColumn(0);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"zulu.txt", L"mike.txt", L"Alpha.txt"}));
    ClickColumn(0);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"Alpha.txt", L"mike.txt", L"zulu.txt"}));
    ClickColumn(0);
    Command(ID_ARRANGE_BY_NAME); // the menu continues where the header left off
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"Alpha.txt", L"mike.txt", L"zulu.txt"}));
    view_->SortByName();
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"zulu.txt", L"mike.txt", L"Alpha.txt"}));
}

// The list keeps only positions for its selection and focus; the rows' own marks must go where the
// rows go, whether a sort moves them or rows come in before them.
TEST_F(ResultView, SelectionAndFocusFollowTheirRowsThroughSortsAndInsertions) {
    MakeFile("mike.txt");
    MakeFile("Alpha.txt");
    MakeFile("zulu.txt");
    Open();
    Search(L"*");
    ClickColumn(0); // zulu, mike, Alpha
    Select({RowNamed(L"zulu.txt")});
    LVITEMW focus{};
    focus.stateMask = LVIS_FOCUSED;
    focus.state = LVIS_FOCUSED;
    List().Send(LVM_SETITEMSTATE, static_cast<WPARAM>(RowNamed(L"mike.txt")), reinterpret_cast<LPARAM>(&focus));
    const auto marked = [&](UINT flag) {
        std::vector<std::wstring> names;
        for (int row = List().NextItem(-1, flag); row >= 0; row = List().NextItem(row, flag)) {
            names.push_back(List().ItemText(row, 0));
        }
        return names;
    };
    ClickColumn(0); // Alpha, mike, zulu
    EXPECT_EQ(marked(LVNI_SELECTED), (std::vector<std::wstring>{L"zulu.txt"}));
    EXPECT_EQ(marked(LVNI_FOCUSED), (std::vector<std::wstring>{L"mike.txt"}));
    const std::vector<NewRow> rows(2, NewRow{L"new.txt", 0, L"1", L"\\\\SRV\\s", 0});
    List().InsertRows(1, rows);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"Alpha.txt", L"new.txt", L"new.txt", L"mike.txt", L"zulu.txt"}));
    EXPECT_EQ(marked(LVNI_SELECTED), (std::vector<std::wstring>{L"zulu.txt"}));
    EXPECT_EQ(marked(LVNI_FOCUSED), (std::vector<std::wstring>{L"mike.txt"}));

    // Typing a name's first letters finds the next row that begins with them, wrapping round.
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
    find.psz = L"MI";
    EXPECT_EQ(List().Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 3);
    find.psz = L"al";
    EXPECT_EQ(List().Send(LVM_FINDITEMW, 3, reinterpret_cast<LPARAM>(&find)), 0);
    find.psz = L"x";
    EXPECT_EQ(List().Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), -1);
}

// Sizes of 4 GiB and more are shown and sorted whole: 5 GiB would be 1 GiB in 32 bits.
TEST_F(ResultView, SizeSortsAscendingFirstAsUnsigned64BitNumbers) {
    tree_.MakeSparseFile("Net/DOM/SRV/share/five.img", 5'368'709'120ULL);
    tree_.MakeSparseFile("Net/DOM/SRV/share/two.bin", 2'000'000'000ULL);
    MakeFile("small.txt", "12345");
    tree_.MakeDir("Net/DOM/SRV/share/folder");
    Open();
    Search(L"*");
    ASSERT_EQ(List().ItemCount(), 4);
    EXPECT_EQ(List().ItemText(RowNamed(L"five.img"), 1), L"5368709120");

    ClickColumn(1);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"folder", L"small.txt", L"two.bin", L"five.img"}));
    Command(ID_ARRANGE_BY_SIZE);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"five.img", L"two.bin", L"small.txt", L"folder"}));
}

TEST_F(ResultView, FolderSortUsesThePathBeforeTheName) {
    MakeFile("b/one.txt");
    MakeFile("a/two.txt");
    MakeFile("c/three.txt");
    Open();
    Search(L"*.txt");
    ASSERT_EQ(List().ItemCount(), 3);

    ClickColumn(2); // descending first
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"three.txt", L"one.txt", L"two.txt"}));
    view_->SortByFolder();
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"two.txt", L"one.txt", L"three.txt"}));
    Command(ID_ARRANGE_BY_FOLDER);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"three.txt", L"one.txt", L"two.txt"}));
    EXPECT_TRUE(view_->Sorting().nameSortFlag);
    EXPECT_TRUE(view_->Sorting().sizeSortFlag);
}

// Each sort puts its direction's arrow on its column and takes the others' away: 1 up, -1 down.
TEST_F(ResultView, TheHeaderShowsTheLastSortsArrowOnItsColumnOnly) {
    MakeFile("a.txt");
    Open();
    Search(L"*.txt");
    const auto arrows = [&] {
        const auto header = reinterpret_cast<HWND>(List().Send(LVM_GETHEADER));
        std::vector<int> found;
        for (int column = 0; column < 3; ++column) {
            HDITEMW item{};
            item.mask = HDI_FORMAT;
            SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
            found.push_back((item.fmt & HDF_SORTUP) ? 1 : (item.fmt & HDF_SORTDOWN) ? -1 : 0);
        }
        return found;
    };
    EXPECT_EQ(arrows(), (std::vector<int>{0, 0, 0}));
    ClickColumn(0); // names descending first
    EXPECT_EQ(arrows(), (std::vector<int>{-1, 0, 0}));
    ClickColumn(1); // sizes ascending first
    EXPECT_EQ(arrows(), (std::vector<int>{0, 1, 0}));
    Command(ID_ARRANGE_BY_SIZE);
    EXPECT_EQ(arrows(), (std::vector<int>{0, -1, 0}));
    view_->SortByFolder();
    EXPECT_EQ(arrows(), (std::vector<int>{0, 0, -1}));
    ClickColumn(0);
    EXPECT_EQ(arrows(), (std::vector<int>{1, 0, 0}));
}

// The fourth column shows each hit's modified time in the user's short formats and sorts by it,
// oldest first, from its header and from its menu item alike.
TEST_F(ResultView, ModifiedColumnShowsAndSortsTheHitsTimes) {
    const auto makeFileOf = [&](const std::string& name, WORD year) {
        MakeFile(name);
        const HANDLE file = CreateFileW(tree_.Native("Net/DOM/SRV/share/" + name).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const SYSTEMTIME noon{year, 6, 0, 15, 12, 0, 0, 0};
        FILETIME time{};
        SystemTimeToFileTime(&noon, &time);
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
        CloseHandle(file);
    };
    makeFileOf("mid.txt", 2021);
    makeFileOf("new.txt", 2023);
    makeFileOf("old.txt", 2019);
    Open();
    Search(L"*.txt");
    ASSERT_EQ(List().ColumnTitle(3), L"Modified");
    for (const auto& [name, year] : {std::pair{L"old.txt", L"2019"}, {L"mid.txt", L"2021"}, {L"new.txt", L"2023"}}) {
        const std::wstring text = List().ItemText(RowNamed(name), 3);
        EXPECT_NE(text.find(year), std::wstring::npos) << std::string(text.begin(), text.end());
        EXPECT_NE(text.find(L':'), std::wstring::npos) << "with its time";
    }
    EXPECT_EQ(ModifiedText(0), L"") << "an unknown time";

    ClickColumn(3);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"old.txt", L"mid.txt", L"new.txt"}));
    HDITEMW arrow{};
    arrow.mask = HDI_FORMAT;
    SendMessageW(reinterpret_cast<HWND>(List().Send(LVM_GETHEADER)), HDM_GETITEMW, 3, reinterpret_cast<LPARAM>(&arrow));
    EXPECT_TRUE(arrow.fmt & HDF_SORTUP);
    Command(ID_ARRANGE_BY_MODIFIED);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"new.txt", L"mid.txt", L"old.txt"}));
}

// Row commands

class ResultViewCommands : public ResultView {
protected:
    void SetUp() override {
        ResultView::SetUp();
        MakeFile("doc.txt", "text");
        MakeFile("gone.txt", "soon removed");
        MakeFile("sub/inner.bin", "bin");
        Open();
        Search(L"*");
        ASSERT_EQ(List().ItemCount(), 4);
        // A fixed order: doc.txt, gone.txt, inner.bin, sub.
        view_->SortByName();
        view_->SortByName();
        ASSERT_EQ(Column(0), (std::vector<std::wstring>{L"doc.txt", L"gone.txt", L"inner.bin", L"sub"}));
    }
    HWND Owner() const { return view_->Handle(); }
    std::wstring InShare(const std::wstring& rest) const { return std::wstring(kShare) + L"\\" + rest; }
};

TEST_F(ResultViewCommands, DoubleClickOpensFilesAndExploresFolders) {
    Select({0, 3});
    Notify(NM_DBLCLK, 0, 0);
    Select({3});
    Notify(NM_DBLCLK, 3, 0);
    EXPECT_EQ(shell_->calls, (std::vector<ShellCall>{{L"open", InShare(L"doc.txt"), Owner()},
                                                     {L"explore", InShare(L"sub"), Owner()}}));
}

TEST_F(ResultViewCommands, DoubleClickOnAVanishedFileExploresIt) {
    std::filesystem::remove(tree_.PathOf("Net/DOM/SRV/share/gone.txt"));
    Select({1});
    Notify(NM_DBLCLK, 1, 0);
    EXPECT_EQ(shell_->calls, (std::vector<ShellCall>{{L"explore", InShare(L"gone.txt"), Owner()}}));
}

TEST_F(ResultViewCommands, NothingSelectedNothingOpened) {
    Select({});
    Notify(NM_DBLCLK, -1, 0);
    Command(ID_OPEN_CONTAINING_FOLDER);
    List().rightClickPoint = {5, 5000}; // below the rows
    Command(ID_OPEN);
    Command(ID_PROPERTIES);
    EXPECT_TRUE(shell_->calls.empty());
}

// Open and Properties act on the row the menu was opened on, even when rows came in meanwhile; the
// keyboard's menu (Shift+F10, the menu key) is the focused row's.
TEST_F(ResultViewCommands, OpenAndPropertiesActOnTheRowTheMenuWasOpenedOn) {
    Select({0, 1});
    {
        testing::MenuDriver menu({VK_ESCAPE});
        const POINT point = PointOnRow(2);
        SendMessageW(List().Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
        ASSERT_EQ(menu.menusOpened, 1);
    }
    ui::PumpWaitingMessages();
    List().InsertRow(0, L"new.txt", 0); // the rows below move down by one
    Command(ID_OPEN);
    Command(ID_PROPERTIES);
    List().DeleteItem(0);

    LVITEMW focus{};
    focus.stateMask = LVIS_FOCUSED;
    focus.state = LVIS_FOCUSED;
    List().Send(LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&focus));
    {
        testing::MenuDriver menu({VK_ESCAPE});
        SendMessageW(List().Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List().Handle()), -1);
        EXPECT_EQ(menu.menusOpened, 1);
    }
    ui::PumpWaitingMessages();
    Command(ID_OPEN);
    EXPECT_EQ(shell_->calls, (std::vector<ShellCall>{{L"open", InShare(L"sub\\inner.bin"), Owner()},
                                                     {L"properties", InShare(L"sub\\inner.bin"), nullptr},
                                                     {L"explore", InShare(L"sub"), Owner()}}));
}

// Enter, which the dialog manager turns into the view's OK, opens every selected row.
TEST_F(ResultViewCommands, EnterOpensTheSelectedRows) {
    Select({0, 3});
    SetFocus(List().Handle());
    MSG msg{List().Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    if (!ui::PreTranslate(msg, nullptr, nullptr)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    ui::PumpWaitingMessages();
    EXPECT_EQ(shell_->calls, (std::vector<ShellCall>{{L"open", InShare(L"doc.txt"), Owner()},
                                                     {L"explore", InShare(L"sub"), Owner()}}));
}

TEST_F(ResultViewCommands, RightButtonPressRemembersItsPoint) {
    const POINT point = PointOnRow(1);
    testing::MenuDriver menu({VK_ESCAPE}); // the pop-up menu of the row, closed again
    SendMessageW(List().Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(menu.menusOpened, 1);
    ui::PumpWaitingMessages();
    EXPECT_EQ(List().rightClickPoint.x, point.x);
    EXPECT_EQ(List().rightClickPoint.y, point.y);
    Command(ID_OPEN);
    EXPECT_EQ(shell_->calls, (std::vector<ShellCall>{{L"open", InShare(L"gone.txt"), Owner()}}));
}

TEST_F(ResultViewCommands, OpenContainingFolderTakesTheFirstSelectedRowsPath) {
    Select({3, 2});
    Command(ID_OPEN_CONTAINING_FOLDER);
    Select({0});
    Command(ID_OPEN_CONTAINING_FOLDER);
    EXPECT_EQ(shell_->calls,
              (std::vector<ShellCall>{{L"explore", InShare(L"sub"), Owner()}, {L"explore", kShare, Owner()}}));
}

TEST_F(ResultViewCommands, DeleteItemsRemovesSelectedRowsButKeepsTheStore) {
    for (int i = 0; i < 5; ++i) {
        List().InsertRow(List().ItemCount(), L"extra" + std::to_wstring(i), 0);
    }
    ASSERT_EQ(List().ItemCount(), 9);
    EXPECT_TRUE(view_->CanDeleteItems());
    Select({2, 5, 7});
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{2, 5, 7}));
    Command(ID_EDIT_DELETE_ITEMS);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"doc.txt", L"gone.txt", L"sub", L"extra0", L"extra2", L"extra4"}));
    CatchUp();
    EXPECT_EQ(ItemCountText(), L"6 items");
    EXPECT_EQ(doc_->Engine().Results().Count(), 4u);
    EXPECT_EQ(List().FirstSelectedPosition(), 0);

    Select({0, 1, 2, 3, 4, 5});
    view_->DeleteItems();
    EXPECT_EQ(List().ItemCount(), 0);
    CatchUp();
    EXPECT_EQ(ItemCountText(), L"0 items");
    EXPECT_FALSE(view_->CanDeleteItems());
}

// What the status bar is asked to do (the texts of the count pane, its paints), and the row
// deletions that the list notifies to the view.
struct PaneWatch {
    std::vector<std::wstring> countTexts;
    int paints = 0;
    int rowDeletions = 0;
};

LRESULT CALLBACK WatchStatusBar(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& watch = *reinterpret_cast<PaneWatch*>(data);
    if (message == WM_PAINT) {
        ++watch.paints;
    } else if (message == SB_SETTEXTW && LOBYTE(LOWORD(wParam)) == kPaneItemCount) {
        watch.countTexts.emplace_back(reinterpret_cast<const wchar_t*>(lParam));
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK WatchView(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(LVN_DELETEITEM)) {
        ++reinterpret_cast<PaneWatch*>(data)->rowDeletions;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

class WatchedPanes {
public:
    WatchedPanes(HWND statusBar, HWND view) : statusBar_(statusBar), view_(view) {
        SetWindowSubclass(statusBar_, &WatchStatusBar, 1, reinterpret_cast<DWORD_PTR>(&watch));
        SetWindowSubclass(view_, &WatchView, 1, reinterpret_cast<DWORD_PTR>(&watch));
    }
    ~WatchedPanes() {
        RemoveWindowSubclass(statusBar_, &WatchStatusBar, 1);
        RemoveWindowSubclass(view_, &WatchView, 1);
    }
    WatchedPanes(const WatchedPanes&) = delete;
    WatchedPanes& operator=(const WatchedPanes&) = delete;

    PaneWatch watch;

private:
    HWND statusBar_;
    HWND view_;
};

TEST_F(ResultViewCommands, DeleteKeyRemovesTheSelectedRowsOneNotificationEach) {
    List().InsertRow(4, L"extra", 0);
    ASSERT_EQ(List().ItemCount(), 5);
    Select({0, 4});
    {
        WatchedPanes panes(host_.statusBar.Handle(), view_->Handle());
        SendMessageW(List().Handle(), WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_EQ(panes.watch.rowDeletions, 2);
    }
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"gone.txt", L"inner.bin", L"sub"}));
    CatchUp();
    EXPECT_EQ(ItemCountText(), L"3 items");
    EXPECT_EQ(doc_->Engine().Results().Count(), 4u);
    // Nothing selected: the key does nothing.
    WatchedPanes panes(host_.statusBar.Handle(), view_->Handle());
    SendMessageW(List().Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(panes.watch.rowDeletions, 0);
    EXPECT_EQ(List().ItemCount(), 3);
}

// What the tooltip control of the cells knows: its one tool's id and rectangle, and the text the
// list gives for it (asked for through TTN_NEEDTEXTW).
struct Tip {
    UINT_PTR id = 0;
    RECT rect{};
    std::wstring text;
};

Tip TipAt(CResultListCtrl& list, POINT point) {
    list.Send(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    Tip tip;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    if (!SendMessageW(list.ToolTips(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) {
        return tip;
    }
    tip.id = tool.uId;
    tip.rect = tool.rect;
    wchar_t text[128] = {};
    tool.lpszText = text;
    SendMessageW(list.ToolTips(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    tip.text = text;
    return tip;
}

TEST_F(ResultViewCommands, EachCellIsAToolWhoseTipSaysWhatADoubleClickDoes) {
    ASSERT_NE(List().ToolTips(), nullptr);
    const POINT name = PointOnRow(1);
    Tip tip = TipAt(List(), name);
    EXPECT_EQ(tip.id, 1024u + 0 + 1);
    EXPECT_EQ(tip.text, L"double-click for open/run file \"gone.txt\"");
    EXPECT_EQ(tip.rect.left, 0);
    EXPECT_EQ(tip.rect.right - tip.rect.left, List().ColumnWidth(0));

    // Another cell of the same row is another tool with the same tip; a folder says so.
    tip = TipAt(List(), {List().ColumnWidth(0) + 10, name.y});
    EXPECT_EQ(tip.id, 1024u + 1 + 1);
    EXPECT_EQ(tip.text, L"double-click for open/run file \"gone.txt\"");
    EXPECT_EQ(TipAt(List(), {List().ColumnWidth(0) + List().ColumnWidth(1) + 10, PointOnRow(3).y}).text,
              L"double-click for open folder \"sub\"");

    // Below the rows there is no tool, nor in any view but the report.
    EXPECT_EQ(TipAt(List(), {10, 500}).id, 0u);
    SetWindowLongW(List().Handle(), GWL_STYLE, (GetWindowLongW(List().Handle(), GWL_STYLE) & ~LVS_TYPEMASK) | LVS_LIST);
    RECT cell{};
    EXPECT_EQ(List().CellFromPoint(PointOnRow(0), cell, nullptr), -1);
}

TEST_F(ResultViewCommands, TipRequestsByToolIdCutAt79Characters) {
    const auto ask = [&](UINT code, UINT_PTR id, NMTTDISPINFOW& info) {
        info = {};
        info.hdr.hwndFrom = List().ToolTips();
        info.hdr.idFrom = id;
        info.hdr.code = code;
        return SendMessageW(List().Handle(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
    };
    NMTTDISPINFOW info{};
    ask(TTN_NEEDTEXTW, 2 * 1024 + 3, info); // row 2, any column
    EXPECT_STREQ(info.lpszText, L"double-click for open/run file \"inner.bin\"");
    ask(TTN_NEEDTEXTW, 40 * 1024 + 1, info); // a row that is not there
    EXPECT_STREQ(info.szText, L"double-click for open folder \"\"");

    const std::wstring longName(90, L'n');
    List().SetColumnText(0, 0, longName);
    ask(TTN_NEEDTEXTW, 1, info);
    EXPECT_EQ(std::wstring(info.szText), (L"double-click for open/run file \"" + longName).substr(0, 79));

    NMTTDISPINFOA ansi{};
    ansi.hdr.hwndFrom = List().ToolTips();
    ansi.hdr.idFrom = 3 * 1024 + 1;
    ansi.hdr.code = TTN_NEEDTEXTA;
    SendMessageW(List().Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ansi));
    EXPECT_STREQ(ansi.szText, "double-click for open folder \"sub\"");
}

TEST_F(ResultViewCommands, SelectionWalkGivesPositionsInOrder) {
    Select({1, 3});
    int position = List().FirstSelectedPosition();
    EXPECT_EQ(position, 2);
    EXPECT_EQ(List().NextSelectedItem(position), 1);
    EXPECT_EQ(position, 4);
    EXPECT_EQ(List().NextSelectedItem(position), 3);
    EXPECT_EQ(position, 0);
}

// The shell as the program calls it, on the folder network.

TEST_F(ResultView, ShellActionsSeeThePathsTheFolderNetworkStandsFor) {
    MakeFile("file.txt");
    tree_.MakeDir("Net/DOM/SRV/share/dir");
    Open();
    ShellActions shell(environment_);
    EXPECT_STREQ(OpenVerbFor(shell.Attributes(std::wstring(kShare) + L"\\file.txt")), L"open");
    EXPECT_STREQ(OpenVerbFor(shell.Attributes(std::wstring(kShare) + L"\\dir")), L"explore");
    EXPECT_STREQ(OpenVerbFor(shell.Attributes(kShare)), L"explore");
    EXPECT_EQ(shell.Attributes(std::wstring(kShare) + L"\\missing.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(shell.Attributes(L"\\\\NOSUCH\\share\\x"), INVALID_FILE_ATTRIBUTES);
    EXPECT_STREQ(OpenVerbFor(INVALID_FILE_ATTRIBUTES), L"explore");
}

// Rows of paths longer than 259 characters: found, kept whole in the list, and handed to the
// shell in a form it takes (the shell fails to find a longer path) or not at all.
TEST_F(ResultView, RowsOfLongPathsKeepThemWholeAndReachTheShellShortOrNotAtAll) {
    std::string folder;
    std::wstring uncFolder = kShare;
    // Past the 1024 characters that the list's text is first read back with.
    for (int i = 0; uncFolder.size() < 1200; ++i) {
        const std::string name = "folder_with_a_long_name_" + std::to_string(i % 10);
        folder += name + "/";
        uncFolder += L"\\" + std::wstring(name.begin(), name.end());
    }
    MakeFile(folder + "far.txt");
    const std::string nearFolder = folder.substr(0, folder.find('/', 250) + 1); // a few levels
    MakeFile(nearFolder + "near.txt");
    Open();
    Search(L"far.txt;near.txt");
    ASSERT_EQ(List().ItemCount(), 2);
    const int farRow = RowNamed(L"far.txt");
    EXPECT_EQ(List().ItemText(farRow, 2), uncFolder);
    EXPECT_EQ(StorePathOf(farRow), uncFolder + L"\\far.txt");
    Select({farRow});
    Command(ID_OPEN_CONTAINING_FOLDER);
    EXPECT_EQ(shell_->calls, (std::vector<ShellCall>{{L"explore", uncFolder, view_->Handle()}}));

    ShellActions shell(environment_);
    EXPECT_EQ(shell.Attributes(uncFolder + L"\\far.txt") & FILE_ATTRIBUTE_DIRECTORY, 0U);
    EXPECT_NE(shell.Attributes(uncFolder), INVALID_FILE_ATTRIBUTES);
    // A few levels past the limit: the short form fits and names the same file.
    const auto nearFile = environment_.ShellPath(StorePathOf(RowNamed(L"near.txt")));
    ASSERT_TRUE(nearFile);
    ASSERT_GT(nearFile->size(), kMaxPathLength);
    const auto shellable = ShellablePath(*nearFile);
    ASSERT_TRUE(shellable);
    EXPECT_LE(shellable->size(), kMaxPathLength);
    EXPECT_EQ(GetFileAttributesW(shellable->c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0U);
    // Far past it, no form fits: the shell is not called.
    EXPECT_FALSE(ShellablePath(*environment_.ShellPath(uncFolder + L"\\far.txt")));
}

// Threads

TEST_F(ResultView, GuardedOperationsFromOtherThreadsWaitForListLock) {
    Open();
    std::atomic<int> inserted{-2};
    std::thread worker;
    {
        std::lock_guard lock(listLock);
        worker = std::thread([&] { inserted = List().InsertRow(0, L"from a worker", 0); });
        // The worker waits for the lock, not for this thread: handling messages lets nothing in.
        ui::PumpUntil([] { return false; }, std::chrono::milliseconds(300));
        EXPECT_EQ(List().ItemCount(), 0);
        EXPECT_EQ(inserted.load(), -2);
        // On its own thread the list takes no lock, so this works while the lock is held.
        EXPECT_EQ(List().InsertRow(0, L"own thread", 0), 0);
    }
    ASSERT_TRUE(PaneHost::PumpUntil([&] { return inserted.load() != -2; }));
    worker.join();
    EXPECT_EQ(inserted.load(), 0);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"from a worker", L"own thread"}));
}

TEST_F(ResultView, ReadingRowsDuringASearchDoesNotDeadlock) {
    for (int share = 0; share < 4; ++share) {
        for (int file = 0; file < 100; ++file) {
            tree_.MakeFile("Net/DOM/SRV/s" + std::to_string(share) + "/f" + std::to_string(file) + ".txt", "x");
        }
    }
    Open();
    CSearchEngine& engine = doc_->Engine();
    engine.Request().fileMask = L"*";
    engine.SetScopePaths({L"\\\\SRV\\s0", L"\\\\SRV\\s1", L"\\\\SRV\\s2", L"\\\\SRV\\s3"});
    engine.searchRunning = true;
    engine.StartSearch();
    {
        Watchdog watchdog(std::chrono::seconds(20));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        std::intptr_t sum = 0;
        while (engine.searchActive && std::chrono::steady_clock::now() < deadline) {
            // The calls the view makes on the user interface thread, as often as possible, while
            // the workers insert rows.
            for (int i = 0; i < 20; ++i) {
                const int count = List().GetItemCount();
                sum += count > 0 ? List().GetRowData(count - 1) : 0;
            }
            ui::PumpWaitingMessages();
            watchdog.Tick();
        }
        (void)sum;
    }
    ASSERT_TRUE(WaitForSearchEndHandlingMessages(engine));
    CatchUp();
    EXPECT_EQ(List().ItemCount(), 400);
    EXPECT_EQ(ItemCountText(), L"400 items");
}

TEST_F(ResultView, ClosingTheViewDuringASlowSearchWaitsForItsThreadsFirst) {
    for (int folder = 0; folder < 20; ++folder) {
        MakeFile("d" + std::to_string(folder) + "/f.txt");
    }
    tree_.MakeFile("network-faults.txt", "delay 20ms\n");
    Open();
    CSearchEngine& engine = doc_->Engine();
    engine.Request().fileMask = L"*";
    engine.SetScopePaths({kShare, kShare, kShare});
    engine.searchRunning = true;
    ASSERT_TRUE(engine.StartSearch());
    ASSERT_TRUE(PaneHost::PumpUntil([&] { return List().ItemCount() > 0; }));
    // The workers use the list and the icon cache: they must have ended before those go.
    {
        Watchdog watchdog(std::chrono::seconds(60));
        view_.reset();
    }
    EXPECT_FALSE(engine.SearchThreadsRunning());
    EXPECT_FALSE(engine.searchRunning);
    EXPECT_EQ(engine.Services().resultList, nullptr);
    EXPECT_EQ(engine.Services().iconIndex, nullptr);
    EXPECT_EQ(doc_->resultView, nullptr);
    EXPECT_EQ(theResultList, nullptr);
    EXPECT_EQ(theIconCache, nullptr);
    EXPECT_EQ(host_.statusBar.PaneText(kPaneMessage), kTextSearchCompleted);
}

// The frame makes its status bar after the document: the engine's texts must still reach it.
TEST_F(ResultView, TheEngineWritesToTheStatusBarOfTheMomentNotTheOneAtItsStart) {
    MakeFile("a.txt");
    theStatusBar = nullptr;
    Open();
    theStatusBar = &host_.statusBar;
    Search(L"*");
    EXPECT_EQ(host_.statusBar.PaneText(kPaneMessage), kTextSearchCompleted);
    EXPECT_EQ(ItemCountText(), L"1 items");

    // Once the bar has gone, the texts go nowhere.
    theStatusBar = nullptr;
    host_.statusBar.SetPaneText(kPaneMessage, L"untouched");
    Search(L"*");
    EXPECT_EQ(host_.statusBar.PaneText(kPaneMessage), L"untouched");
    theStatusBar = &host_.statusBar;
}

TEST_F(ResultView, EmptyingTheListIsOneStepThatShowsTheCountOnce) {
    Open();
    constexpr int kRows = 1000;
    for (int i = 0; i < kRows; ++i) {
        List().InsertRow(i, L"row", 0);
    }
    ui::PumpWaitingMessages();
    PaneWatch seen;
    {
        WatchedPanes panes(host_.statusBar.Handle(), view_->Handle());
        List().DeleteAllRows();
        seen = panes.watch;
    }
    // No notification for each row: a million of them took minutes.
    EXPECT_EQ(seen.rowDeletions, 0);
    EXPECT_EQ(seen.countTexts, (std::vector<std::wstring>{L"0 items"}));
    EXPECT_EQ(List().ItemCount(), 0);
    EXPECT_EQ(List().Rows().Size(), 0u);

    // A single deletion shows its count and repaints at once.
    List().InsertRow(0, L"a", 0);
    List().InsertRow(1, L"b", 0);
    ui::PumpWaitingMessages();
    {
        WatchedPanes panes(host_.statusBar.Handle(), view_->Handle());
        Select({0});
        Command(ID_EDIT_DELETE_ITEMS);
        EXPECT_EQ(panes.watch.countTexts, (std::vector<std::wstring>{L"1 items"}));
        EXPECT_EQ(panes.watch.paints, 1);
    }
}

TEST_F(ResultView, BatchesFromAnEngineThreadComeInOneGoWithTheirColumnsAndFewCounts) {
    Open();
    List().InsertRow(0, L"before", 0);
    std::vector<std::wstring> names;
    std::vector<std::wstring> sizes;
    for (int i = 0; i < 300; ++i) {
        names.push_back(L"f" + std::to_wstring(i));
        sizes.push_back(i % 2 ? L"" : std::to_wstring(i));
    }
    std::vector<NewRow> rows;
    for (int i = 0; i < 300; ++i) {
        const auto at = static_cast<std::size_t>(i);
        rows.push_back({names[at], 2, sizes[at], L"\\\\SRV\\s", 1000 + i});
    }
    PaneWatch seen;
    std::atomic<int> first{-2};
    {
        WatchedPanes panes(host_.statusBar.Handle(), view_->Handle());
        std::thread worker([&] { first = List().InsertRows(0, rows); });
        ASSERT_TRUE(PaneHost::PumpUntil([&] { return first.load() != -2; }));
        worker.join();
        CatchUp();
        seen = panes.watch;
    }
    EXPECT_EQ(first.load(), 0);
    EXPECT_EQ(seen.countTexts, (std::vector<std::wstring>{L"301 items"}));
    ASSERT_EQ(List().ItemCount(), 301);
    EXPECT_EQ(List().ItemText(0, 0), L"f0");
    EXPECT_EQ(List().ItemText(0, 1), L"0");
    EXPECT_EQ(List().ItemText(1, 1), L"");
    EXPECT_EQ(List().ItemText(299, 2), L"\\\\SRV\\s");
    EXPECT_EQ(List().ItemImage(299), 2);
    EXPECT_EQ(List().GetRowData(299), 1299);
    EXPECT_EQ(List().ItemText(300, 0), L"before");

    // A stream of batches: the count at most ten times a second, and the last one in the end.
    constexpr int kBatches = 40;
    std::atomic<int> sent{0};
    {
        WatchedPanes panes(host_.statusBar.Handle(), view_->Handle());
        const auto start = std::chrono::steady_clock::now();
        std::thread worker([&] {
            for (int batch = 0; batch < kBatches; ++batch) {
                List().InsertRows(List().GetItemCount(), std::span(rows).first(10));
                ++sent;
            }
        });
        ASSERT_TRUE(PaneHost::PumpUntil([&] { return sent.load() == kBatches; }));
        worker.join();
        CatchUp();
        const auto took = std::chrono::steady_clock::now() - start;
        seen = panes.watch;
        EXPECT_LE(seen.countTexts.size(), static_cast<std::size_t>(took / std::chrono::milliseconds(100)) + 2);
    }
    ASSERT_FALSE(seen.countTexts.empty());
    EXPECT_EQ(seen.countTexts.back(), L"701 items");
}

// Handles only the messages that other threads send to this one, for the given time or until done()
// holds; posted messages wait.
template <class Done> bool HandleSentMessagesOnly(std::chrono::milliseconds time, const Done& done) {
    const auto until = std::chrono::steady_clock::now() + time;
    while (!done() && std::chrono::steady_clock::now() < until) {
        MsgWaitForMultipleObjectsEx(0, nullptr, 5, QS_SENDMESSAGE, 0);
        MSG msg{};
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return done();
}

TEST_F(ResultView, AnEngineThreadsNextBatchWaitsTillTheInterfaceHasHadItsPostedMessages) {
    Open();
    const std::vector<NewRow> rows(10, NewRow{L"f", 0, L"1", L"\\\\SRV\\s", 0});
    std::thread worker([&] {
        List().InsertRows(0, rows);
        List().InsertRows(0, rows);
    });
    // While this thread handles only what is sent to it, the first batch comes in, the second not.
    EXPECT_TRUE(HandleSentMessagesOnly(std::chrono::seconds(20), [&] { return List().ItemCount() == 10; }));
    HandleSentMessagesOnly(std::chrono::milliseconds(60), [] { return false; });
    EXPECT_EQ(List().ItemCount(), 10);
    // Once it has got through its posted messages, the second follows.
    EXPECT_TRUE(PaneHost::PumpUntil([&] { return List().ItemCount() == 20; }));
    worker.join();
}

// The icon cache alone

TEST(ShellIconCache, FixedEntriesThenOneEntryPerFileType) {
    CShellIconCache cache;
    EXPECT_EQ(cache.SmallImages(), nullptr);
    cache.ResetCache();
    ASSERT_NE(cache.SmallImages(), nullptr);
    ASSERT_NE(cache.LargeImages(), nullptr);
    EXPECT_EQ(cache.IndexOfKey(L"*"), 0);
    EXPECT_EQ(cache.IndexOfKey(L"."), 1);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(cache.SmallImages(), &width, &height);
    EXPECT_EQ(width, 16);
    ImageList_GetIconSize(cache.LargeImages(), &width, &height);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(ImageList_GetBkColor(cache.SmallImages()), COLORREF{1});
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 2);

    EXPECT_EQ(cache.IconIndexForFile(L"report.txt"), 2);
    EXPECT_EQ(cache.IconIndexForFile(L"notes.TXT"), 2);
    // No icon of its own for this type: a copy of the generic file icon, under its own key.
    EXPECT_EQ(cache.IconIndexForFile(L"Makefile"), 3);
    EXPECT_EQ(cache.IconIndexForFile(L"odd.zz-no-such-type"), 4);
    EXPECT_EQ(cache.IconIndexForFile(L"ends.with.dot."), 1);
    EXPECT_EQ(cache.KeyCount(), 5u);
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 5);
    EXPECT_EQ(ImageList_GetImageCount(cache.LargeImages()), 5);

    // Reset: back to the two fixed entries in new lists.
    cache.ResetCache();
    EXPECT_EQ(cache.KeyCount(), 2u);
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 2);
    EXPECT_EQ(cache.IndexOfKey(L".txt"), -1);
}

// The engine's threads have no COM, which the shell wants, and the window thread draws the image
// lists: a new type's index comes at once, its icons from the window thread when it is woken.
TEST(ShellIconCache, ThreadsMeetingANewTypeAddItOnceAndTheWindowThreadAsksTheShell) {
    CShellIconCache cache;
    cache.ResetCache();
    std::atomic<int> wakes = 0;
    cache.SetWake([&] { ++wakes; });
    std::vector<int> indexes(8, -1);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        threads.emplace_back([&, i] {
            indexes[i] = cache.IconIndexForFile(i % 2 ? L"a.PDF" : L"b.pdf");
            static_cast<void>(cache.IconIndexForFile(L"c.doc"));
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(indexes, std::vector<int>(8, 2));
    EXPECT_EQ(cache.KeyCount(), 4u);
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 2) << "the shell was not asked on those threads";
    EXPECT_EQ(wakes, 1) << "one wake for the batch";

    EXPECT_EQ(cache.AddPendingIcons(), 2);
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 4);
    EXPECT_EQ(ImageList_GetImageCount(cache.LargeImages()), 4);
    EXPECT_EQ(cache.AddPendingIcons(), 0);

    // The window thread's own new types come in order after those still waiting.
    std::thread([&] { EXPECT_EQ(cache.IconIndexForFile(L"d.xls"), 4); }).join();
    EXPECT_EQ(wakes, 2);
    EXPECT_EQ(cache.IconIndexForFile(L"e.ppt"), 5);
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 6);
    EXPECT_EQ(cache.AddPendingIcons(), 0);
}

TEST(ShellIconCache, PendingTypesTakenOneAtATimeWakeTheWindowThreadForTheRest) {
    CShellIconCache cache;
    cache.ResetCache();
    std::atomic<int> wakes = 0;
    cache.SetWake([&] { ++wakes; });
    std::thread([&] {
        static_cast<void>(cache.IconIndexForFile(L"a.pdf"));
        static_cast<void>(cache.IconIndexForFile(L"b.doc"));
    }).join();
    ASSERT_EQ(wakes, 1);
    EXPECT_EQ(cache.AddPendingIcons(1), 1);
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 3);
    EXPECT_EQ(wakes, 2) << "woken again for the type still waiting";
    EXPECT_EQ(cache.AddPendingIcons(1), 1);
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 4);
    EXPECT_EQ(wakes, 2);
}

TEST(ShellIconCache, TypesMetWhileTheShellWarmsUpWaitForItThenWakeTheWindowThread) {
    CShellIconCache cache;
    cache.ResetCache();
    std::atomic<int> wakes = 0;
    cache.SetWake([&] { ++wakes; });
    std::promise<void> warmed;
    cache.WarmUpShell([done = warmed.get_future().share()] { done.wait(); });
    std::thread([&] { static_cast<void>(cache.IconIndexForFile(L"a.pdf")); }).join();
    ASSERT_EQ(wakes, 1);
    EXPECT_EQ(cache.AddPendingIcons(), 0) << "the window thread asked the shell while it warmed up";
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 2);
    warmed.set_value();
    ASSERT_TRUE(PaneHost::PumpUntil([&] { return wakes == 2; })) << "woken for the waiting type";
    EXPECT_EQ(cache.AddPendingIcons(), 1);
    EXPECT_EQ(ImageList_GetImageCount(cache.SmallImages()), 3);
}

} // namespace
} // namespace vk
