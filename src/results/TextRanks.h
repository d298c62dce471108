#pragma once
// Ranks of texts for a sort: texts the locale's comparison finds equal share a rank, and a text
// that sorts after another has a higher one. A sort of many rows then compares small numbers
// instead of texts: each distinct text is keyed once (a sort key, compared as bytes) and the keys
// are ordered once.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// Texts written one after another into one buffer, each named by its number.
class TextList {
public:
    // Starts the next text (its number is returned) and appends to it.
    std::uint32_t Start();
    void Append(std::wstring_view text) { chars_.append(text); }
    // Room for so many texts of so many characters in all.
    void Reserve(std::size_t texts, std::size_t chars);

    [[nodiscard]] std::size_t Size() const { return starts_.size(); }
    [[nodiscard]] std::wstring_view At(std::size_t index) const;

private:
    std::wstring chars_;
    std::vector<std::size_t> starts_;
};

// The rank of each text of list, by its number; ranks start at 0.
[[nodiscard]] std::vector<std::uint32_t> RankTexts(const TextList& list);

} // namespace vk
