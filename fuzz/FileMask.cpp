// The file-name wildcards and the mask splitter, each against a plain reference written here:
// the matcher against a backtracking matcher of the rules as listings apply them (short masks
// and names, where trying every way is cheap), the splitter against splitting by hand.

#include "FuzzInput.h"
#include "engine/MaskPieces.h"
#include "platform/WildcardName.h"

namespace {

// The wildcards of the listing form, as characters no mask or name holds.
constexpr wchar_t kDosStar = 0x110000;
constexpr wchar_t kDosQuestion = 0x110001;
constexpr wchar_t kDosDot = 0x110002;

// The rules in the form Windows listings use: '*' any run, kDosStar a run that does not take the
// name's last '.', kDosQuestion one character or none at a '.' or the end, kDosDot a '.' or the
// end, anything else itself without regard to case.
bool Reference(std::wstring_view mask, std::wstring_view name, std::size_t lastDot) {
    if (mask.empty()) {
        return name.empty();
    }
    const wchar_t m = mask.front();
    const std::wstring_view restMask = mask.substr(1);
    switch (m) {
    case L'*':
    case kDosStar:
        for (std::size_t k = 0; k <= name.size(); ++k) {
            if (Reference(restMask, name.substr(k), lastDot)) {
                return true;
            }
            // lastDot counts from the end of the name, so that it holds for every rest.
            if (m == kDosStar && k < name.size() && name.size() - k == lastDot) {
                return false;
            }
        }
        return false;
    case kDosQuestion:
        if (name.empty() || name.front() == L'.') {
            return Reference(restMask, name, lastDot);
        }
        return Reference(restMask, name.substr(1), lastDot);
    case kDosDot:
        if (name.empty()) {
            return Reference(restMask, name, lastDot);
        }
        return name.front() == L'.' && Reference(restMask, name.substr(1), lastDot);
    default:
        return !name.empty() && vk::ToUpperNameChar(name.front()) == vk::ToUpperNameChar(m) &&
               Reference(restMask, name.substr(1), lastDot);
    }
}

// A mask in the listing form: '?' is kDosQuestion, a '.' before '*' or '?' is kDosDot, a '*'
// before a '.' is kDosStar, and a final '.' is dropped once it has shaped what stands before it. "*.*" is "*".
std::wstring ListingForm(std::wstring_view mask) {
    if (mask == L"*.*") {
        return L"*";
    }
    std::wstring form;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const wchar_t next = i + 1 < mask.size() ? mask[i + 1] : L'\0';
        switch (mask[i]) {
        case L'?':
            form += kDosQuestion;
            break;
        case L'.':
            if (i + 1 == mask.size()) {
                break; // the final dot
            }
            form += next == L'*' || next == L'?' ? kDosDot : L'.';
            break;
        case L'*':
            form += next == L'.' ? kDosStar : L'*';
            break;
        default:
            form += mask[i];
        }
    }
    return form;
}

bool ReferenceMatches(std::wstring_view mask, std::wstring_view name) {
    const std::size_t dot = name.rfind(L'.');
    // Distance of the last '.' from the end; 0 when there is none.
    const std::size_t lastDot = dot == std::wstring_view::npos ? 0 : name.size() - dot;
    return Reference(ListingForm(mask), name, lastDot);
}

void CheckSplit(std::wstring_view fileMask) {
    std::vector<std::wstring> expected;
    std::wstring piece;
    for (const wchar_t c : fileMask) {
        if (vk::kMaskSeparators.find(c) != std::wstring_view::npos) {
            if (!piece.empty()) {
                expected.push_back(piece);
            }
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty()) {
        expected.push_back(piece);
    }
    const std::vector<std::wstring> pieces = vk::SplitFileMask(fileMask);
    VK_FUZZ_CHECK(pieces == expected);
    bool allNamePatterns = true;
    for (const std::wstring& each : pieces) {
        const bool namePattern = each.find_first_of(L"\\/:") == std::wstring::npos;
        VK_FUZZ_CHECK(vk::IsNamePattern(each) == namePattern);
        allNamePatterns = allNamePatterns && namePattern;
    }
    VK_FUZZ_CHECK(vk::FileMaskFault(fileMask).has_value() == !allNamePatterns);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::wstring mask = vk::fuzz::WideText(input, 8, L"*?.*?.aAbB\u00E9\u00C9");
    const std::wstring name = vk::fuzz::WideText(input, 10, L"..aAbB\u00E9\u00C9");
    const vk::FileMask fileMask(mask);
    const bool matches = fileMask.Matches(name);
    VK_FUZZ_CHECK(matches == vk::MatchesFileMask(name, mask));
    VK_FUZZ_CHECK(!fileMask.MatchesEverything() || matches);
    if (!mask.empty() && !name.empty()) { // listings hold no empty name
        if (matches != ReferenceMatches(mask, name)) {
            std::fprintf(stderr, "mask [%s] name [%s]: matcher %d\n", vk::fuzz::Codes(mask).c_str(),
                         vk::fuzz::Codes(name).c_str(), matches);
            VK_FUZZ_CHECK(!"the matcher and the reference differ");
        }
    }
    CheckSplit(vk::fuzz::WideText(input, 40, L" ;,*?.a\\/:"));
    return 0;
}
