// The resources compiled into the program: they load by their ids, the pictures have the sizes the
// image lists cut them by, and the two pane templates make the controls the panes rely on.
#include "resource.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace vk {
namespace {

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

// The bytes of a resource of this module; empty when it is missing.
std::string_view ResourceBytes(const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(Module(), name, type);
    if (!found) {
        return {};
    }
    HGLOBAL loaded = LoadResource(Module(), found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return {};
    }
    return {static_cast<const char*>(data), SizeofResource(Module(), found)};
}

bool ContainsWide(std::string_view bytes, std::wstring_view text) {
    const std::string_view wanted(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes.find(wanted) != std::string_view::npos;
}

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// A bitmap resource loaded as a DIB section, so that its pixels can be read as they are stored.
class Strip {
public:
    explicit Strip(int id)
        : bitmap_(static_cast<HBITMAP>(
              LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
        if (bitmap_ && GetObjectW(bitmap_.get(), sizeof section_, &section_) != sizeof section_) {
            bitmap_.reset();
        }
    }

    bool Loaded() const { return bitmap_ && section_.dsBm.bmBits && section_.dsBm.bmBitsPixel == 24; }
    int Width() const { return section_.dsBm.bmWidth; }
    int Height() const { return section_.dsBm.bmHeight; }

    COLORREF Pixel(int x, int y) const {
        const int row = section_.dsBmih.biHeight > 0 ? Height() - 1 - y : y;
        const auto* p =
            static_cast<const std::uint8_t*>(section_.dsBm.bmBits) + row * section_.dsBm.bmWidthBytes + x * 3;
        return RGB(p[2], p[1], p[0]);
    }

    // How many pixels of image `index` (16 x 15, side by side) are the transparent magenta.
    int MagentaPixels(int index) const {
        int count = 0;
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 16; ++x) {
                count += Pixel(index * 16 + x, y) == kMagenta;
            }
        }
        return count;
    }

    static constexpr COLORREF kMagenta = RGB(255, 0, 255);

private:
    Bitmap bitmap_;
    DIBSECTION section_{};
};

bool IsDark(COLORREF colour) {
    return GetRValue(colour) < 100 && GetGValue(colour) < 100 && GetBValue(colour) < 100;
}

// A string of the string table, read to its end.
std::wstring String(UINT id) {
    wchar_t buffer[512] = {};
    const int length = LoadStringW(Module(), id, buffer, 512);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

TEST(Resources, TheFramesStringsAreTheProgramsOwn) {
    EXPECT_EQ(String(IDS_APP_TITLE), L"Varnokle - make your network transparent!!!");
    EXPECT_EQ(String(IDS_IDLE_MESSAGE), L"Ready");
    EXPECT_EQ(String(IDR_MAINFRAME), L"Varnokle2\n\nVarnok\n\n\nVarnokle2.Document\nVarnok Document");
    const std::pair<UINT, const wchar_t*> prompts[] = {
        {32772, L"Save result to file\nSave(Ctrl+S)"},
        {32773, L"Copy selected files to clipboard\nCopy(Ctrl+C)"},
        {32778, L"Select all"},
        {32779, L"Copy path to clipboard"},
        {32782, L"Delete Items from list\nDelete Items(Del)"},
        {32790, L"Assigns a drive letter to a network resource\nMap Network Drive"},
        {32802, L"Show options dialog\nOptions"},
        {32803, L"Display Tip of the Day"},
        {32804, L"Go to site Varnokle"},
        {32808, L"Send e-mail\nE-Mail"},
        {57664, L"Display program information, version number and copyright\nAbout"},
        {57665, L"Quit the application; prompts to save documents\nExit"},
        {57670, L"Show help\nHelp"},
        {57680, L"Switch to the next window pane\nNext Pane"},
        {57681, L"Switch back to the previous window pane\nPrevious Pane"},
        {59392, L"Show or hide the toolbar\nToggle ToolBar"},
        {59393, L"Show or hide the status bar\nToggle StatusBar"},
    };
    for (const auto& [id, text] : prompts) {
        EXPECT_EQ(String(id), text) << id;
    }
    for (const UINT id : {32798u, 32799u, 32812u, 32813u, 32814u}) {
        EXPECT_EQ(String(id), L"") << id << " has no prompt";
    }
}

TEST(Resources, TheToolbarAndAboutPicturesHaveTheirSizes) {
    const Strip toolbar(IDR_MAINFRAME);
    ASSERT_TRUE(toolbar.Loaded());
    EXPECT_EQ(toolbar.Width(), 8 * 16);
    EXPECT_EQ(toolbar.Height(), 16);
    for (int image = 0; image < 8; ++image) {
        int transparent = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                transparent += toolbar.Pixel(image * 16 + x, y) == Strip::kMagenta;
            }
        }
        EXPECT_GT(transparent, 0) << "image " << image << " has no transparent background";
        EXPECT_LT(transparent, 16 * 16 - 40) << "image " << image << " is nearly empty";
    }
    const Strip about(IDB_ABOUT_PICTURE);
    ASSERT_TRUE(about.Loaded());
    EXPECT_EQ(about.Width(), 307);
    EXPECT_EQ(about.Height(), 190);
}

TEST(Resources, ProgramIconLoadsAtEachSize) {
    for (const int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        HICON icon =
            static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask{};
        EXPECT_EQ(GetObjectW(info.hbmMask, sizeof mask, &mask), static_cast<int>(sizeof mask));
        EXPECT_EQ(mask.bmWidth, size);
        DeleteObject(info.hbmMask);
        if (info.hbmColor) {
            DeleteObject(info.hbmColor);
        }
        DestroyIcon(icon);
    }
}

TEST(Resources, ProgramIconHoldsThreeImagesWithAlpha) {
    // The icon group: a header of three WORDs, then one 14-byte entry per image.
    const std::string_view group = ResourceBytes(MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    std::uint16_t header[3];
    std::memcpy(header, group.data(), sizeof header);
    EXPECT_EQ(header[1], 1); // icons, not cursors
    ASSERT_EQ(header[2], 3);
    ASSERT_EQ(group.size(), 6u + 3 * 14);
    for (int i = 0; i < 3; ++i) {
        const char* entry = group.data() + 6 + i * 14;
        std::uint16_t bitsPerPixel = 0;
        std::memcpy(&bitsPerPixel, entry + 6, sizeof bitsPerPixel);
        EXPECT_EQ(static_cast<std::uint8_t>(entry[0]), 16 * (i + 1)) << "width of image " << i;
        EXPECT_EQ(bitsPerPixel, 32) << "image " << i;
    }
}

TEST(Resources, NodeStripHoldsSixImages) {
    const Strip nodes(IDB_NODE_IMAGES);
    ASSERT_TRUE(nodes.Loaded());
    EXPECT_EQ(nodes.Width(), 96);
    EXPECT_EQ(nodes.Height(), 15);
    EXPECT_EQ(nodes.MagentaPixels(0), 16 * 15) << "image 0 is empty";
    for (int index = 1; index < 6; ++index) {
        SCOPED_TRACE(index);
        EXPECT_LT(nodes.MagentaPixels(index), 16 * 15 * 3 / 4) << "a picture";
        EXPECT_GT(nodes.MagentaPixels(index), 0) << "on a transparent background";
    }
}

TEST(Resources, CheckStripHoldsTheFourStates) {
    const Strip checks(IDB_CHECK_IMAGES);
    ASSERT_TRUE(checks.Loaded());
    EXPECT_EQ(checks.Width(), 64);
    EXPECT_EQ(checks.Height(), 15);
    EXPECT_EQ(checks.MagentaPixels(0), 16 * 15) << "no check box";

    // Every box has a frame, with a white or grey inside; the tick runs through its middle.
    const int middle = 7;
    const int inside = 3;
    EXPECT_EQ(checks.Pixel(16 + inside, inside), RGB(255, 255, 255));
    EXPECT_EQ(checks.Pixel(16 + middle, middle), RGB(255, 255, 255)) << "unchecked: no tick";
    EXPECT_EQ(checks.Pixel(32 + inside, inside), RGB(255, 255, 255));
    EXPECT_TRUE(IsDark(checks.Pixel(32 + middle, middle))) << "checked: a tick";
    const COLORREF grey = checks.Pixel(48 + inside, inside);
    EXPECT_NE(grey, RGB(255, 255, 255)) << "partly checked: a grey box";
    EXPECT_NE(grey, Strip::kMagenta);
    EXPECT_TRUE(IsDark(checks.Pixel(48 + middle, middle))) << "partly checked: a tick";
    for (int index = 1; index < 4; ++index) {
        EXPECT_TRUE(IsDark(checks.Pixel(index * 16 + 1, middle))) << "frame of box " << index;
    }
}

TEST(Resources, ManifestAsksForCommonControls6) {
    const std::string_view manifest = ResourceBytes(MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string_view::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string_view::npos);
    EXPECT_NE(manifest.find("asInvoker"), std::string_view::npos);
}

TEST(Resources, VersionNamesTheProductInUtf16) {
    const std::string_view version = ResourceBytes(MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    ASSERT_FALSE(version.empty());
    EXPECT_TRUE(ContainsWide(version, L"ProductName"));
    EXPECT_TRUE(ContainsWide(version, L"Varnokle"));
    // The .rc is UTF-8: the dash in the description must arrive as one UTF-16 character.
    EXPECT_TRUE(ContainsWide(version, L"Varnokle \u2014 finds"));
}

// The panes' templates: extended dialog templates of child forms, one control each.
TEST(Resources, PaneTemplatesAreChildFormsWithOneControl) {
    for (const int id : {IDD_RESULT_VIEW, IDD_TREE_VIEW}) {
        SCOPED_TRACE(id);
        const std::string_view bytes = ResourceBytes(MAKEINTRESOURCEW(id), RT_DIALOG);
        ASSERT_GE(bytes.size(), 26u);
        std::uint16_t version[2];
        std::uint32_t styles[3]; // help id, extended style, style
        std::uint16_t items = 0;
        std::memcpy(version, bytes.data(), sizeof version);
        std::memcpy(styles, bytes.data() + 4, sizeof styles);
        std::memcpy(&items, bytes.data() + 16, sizeof items);
        EXPECT_EQ(version[0], 1);
        EXPECT_EQ(version[1], 0xFFFF);
        const DWORD style = styles[2];
        EXPECT_EQ(style & (WS_CHILD | DS_CONTROL | DS_SETFONT), DWORD{WS_CHILD | DS_CONTROL | DS_SETFONT});
        EXPECT_EQ(style & (WS_CAPTION | WS_POPUP | WS_VISIBLE), 0u);
        EXPECT_EQ(items, 1);
    }
}

BOOL CALLBACK CollectDialogName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    reinterpret_cast<std::vector<std::wstring>*>(found)->push_back(
        IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<UINT_PTR>(name)) : std::wstring(name));
    return TRUE;
}

// With TVS_CHECKBOXES Windows makes a two-state image list of its own after the tree is filled and
// sets every node back to "unchecked": the tree's three-state boxes are the program's own images.
TEST(Resources, NoTemplateGivesATreeTheControlsOwnCheckBoxes) {
    std::vector<std::wstring> dialogs;
    EnumResourceNamesW(Module(), RT_DIALOG, &CollectDialogName, reinterpret_cast<LONG_PTR>(&dialogs));
    ASSERT_FALSE(dialogs.empty());
    // In an extended template an item's class name (its case as the resource compiler left it)
    // follows its style by 16 bytes (x, y, cx, cy, id).
    const std::wstring_view treeClass = WC_TREEVIEWW;
    int trees = 0;
    for (const std::wstring& dialog : dialogs) {
        SCOPED_TRACE(std::string(dialog.begin(), dialog.end()));
        const std::string_view bytes = ResourceBytes(dialog.c_str(), RT_DIALOG);
        std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
        std::wstring wanted(treeClass);
        CharUpperBuffW(wanted.data(), static_cast<DWORD>(wanted.size()));
        for (std::size_t at = text.find(wanted); at != std::wstring::npos; at = text.find(wanted, at + 1)) {
            ASSERT_GE(at * sizeof(wchar_t), 16u);
            DWORD style = 0;
            std::memcpy(&style, bytes.data() + at * sizeof(wchar_t) - 16, sizeof style);
            EXPECT_EQ(style & TVS_CHECKBOXES, 0u);
            ++trees;
        }
    }
    EXPECT_GE(trees, 1) << "the network tree's template was read";
}

INT_PTR CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

class PaneTemplates : public testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
    }

    void SetUp() override {
        host_.reset(CreateWindowExW(0, L"STATIC", L"Varnokle test host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                                    nullptr, Module(), nullptr));
        ASSERT_TRUE(host_) << "no window: is there a display?";
    }

    // Makes the form from template `id` and returns its control `control`.
    HWND Control(int id, int control) {
        form_.reset(CreateDialogParamW(Module(), MAKEINTRESOURCEW(id), host_.get(), FormProc, 0));
        return form_ ? GetDlgItem(form_.get(), control) : nullptr;
    }

    static std::wstring ClassOf(HWND window) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        return name;
    }

    // The dialog manager may turn a template's WS_BORDER into the sunken client edge.
    static bool HasBorder(HWND control) {
        return (GetWindowLongW(control, GWL_STYLE) & WS_BORDER) ||
               (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    }

    // The control covers the whole form.
    void ExpectFillsForm(HWND control) {
        RECT client{};
        GetClientRect(form_.get(), &client);
        RECT bounds{};
        GetWindowRect(control, &bounds);
        MapWindowPoints(HWND_DESKTOP, form_.get(), reinterpret_cast<POINT*>(&bounds), 2);
        EXPECT_EQ(bounds.left, 0);
        EXPECT_EQ(bounds.top, 0);
        EXPECT_EQ(bounds.right, client.right);
        EXPECT_EQ(bounds.bottom, client.bottom);
        EXPECT_GT(client.right, 0);
    }

    Window host_;
    Window form_;
};

TEST_F(PaneTemplates, ResultViewHoldsAMultiSelectReportList) {
    HWND list = Control(IDD_RESULT_VIEW, IDC_RESULT_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ClassOf(list), L"SysListView32");
    EXPECT_EQ(GetParent(list), form_.get());
    EXPECT_TRUE(GetWindowLongW(form_.get(), GWL_STYLE) & WS_CHILD);

    const auto style = static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE));
    EXPECT_EQ(style & LVS_TYPEMASK, DWORD{LVS_REPORT});
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(HasBorder(list));
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_FALSE(style & LVS_SINGLESEL) << "several rows may be selected";
    EXPECT_FALSE(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING));
    EXPECT_FALSE(style & LVS_EDITLABELS);
    ExpectFillsForm(list);
}

TEST_F(PaneTemplates, TreeViewHoldsATreeWithoutButtons) {
    HWND tree = Control(IDD_TREE_VIEW, IDC_NETWORK_TREE);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(ClassOf(tree), L"SysTreeView32");
    EXPECT_EQ(GetParent(tree), form_.get());

    const auto style = static_cast<DWORD>(GetWindowLongW(tree, GWL_STYLE));
    const DWORD wanted = TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | WS_TABSTOP | WS_VISIBLE;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_TRUE(HasBorder(tree));
    EXPECT_FALSE(style & TVS_HASBUTTONS) << "no expand buttons";
    EXPECT_FALSE(style & TVS_EDITLABELS);
    ExpectFillsForm(tree);
}

} // namespace
} // namespace vk
