#pragma once
// The 8-bit text stream both export formats are written through. A character from 0 to 255
// becomes the one byte of that value (ISO-8859-1); a line feed becomes CR LF, a carriage return
// stays as it is (so "\r\n" comes out as CR CR LF). Nothing is added before the first piece or
// after the last.
//
// A character above 255 has no byte of its own: it is written as a decimal numeric character
// reference, "&#1046;" for U+0416, so that no path loses a character. A pair of UTF-16
// surrogates is one character and one reference (U+1F600 is "&#128512;").

#include <string>
#include <string_view>

namespace vk {

class ExportStream {
public:
    void Write(std::wstring_view piece);

    [[nodiscard]] const std::string& Bytes() const { return bytes_; }
    // Whether a character above 255 had to be written as a reference.
    [[nodiscard]] bool WroteReferences() const { return wroteReferences_; }

private:
    std::string bytes_;
    bool wroteReferences_ = false;
};

} // namespace vk
