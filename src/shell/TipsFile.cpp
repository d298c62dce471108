#include "shell/TipsFile.h"

#include <algorithm>
#include <cstdio>

namespace vk {

bool TipsFile::Open(const std::filesystem::path& path) {
    Close();
    return file_.open(path, std::ios::in | std::ios::binary) != nullptr;
}

void TipsFile::Close() {
    if (file_.is_open()) {
        file_.close();
    }
}

std::int64_t TipsFile::Position() {
    if (!file_.is_open()) {
        return -1;
    }
    const auto position = file_.pubseekoff(0, std::ios::cur, std::ios::in);
    return position == std::streampos(std::streamoff(-1)) ? -1 : static_cast<std::int64_t>(std::streamoff(position));
}

bool TipsFile::Seek(std::int64_t position) {
    if (!file_.is_open() || position < 0) {
        return false;
    }
    return file_.pubseekpos(std::streamoff(position), std::ios::in) != std::streampos(std::streamoff(-1));
}

std::wstring TipsFile::ReadPiece() {
    using Traits = std::filebuf::traits_type;
    std::wstring piece;
    while (piece.size() < kTipPieceLength) {
        const auto c = file_.sbumpc();
        if (Traits::eq_int_type(c, Traits::eof())) {
            break;
        }
        if (c == '\r' && file_.sgetc() == '\n') {
            continue; // the line feed that follows stands for both
        }
        piece += static_cast<wchar_t>(static_cast<unsigned char>(Traits::to_char_type(c)));
        if (c == '\n') {
            break;
        }
    }
    return piece;
}

TipRead TipsFile::ReadNextTip(std::wstring& tip) {
    if (!file_.is_open()) {
        return TipRead::kNoTip;
    }
    // The read starts anywhere in the file: the part up to the end, then the whole file from its
    // start, cover every line. A second end without a tip means that there is none.
    int endsReached = 0;
    for (;;) {
        std::wstring piece = ReadPiece();
        if (piece.empty()) {
            if (++endsReached > 1) {
                return TipRead::kNoTip;
            }
            if (!Seek(0)) {
                return TipRead::kRewindFailed;
            }
            continue;
        }
        if (IsTipLine(piece)) {
            tip = std::move(piece);
            return TipRead::kTip;
        }
    }
}

bool TipsFile::HoldsTip() {
    if (!Seek(0)) {
        return false;
    }
    for (std::wstring piece = ReadPiece(); !piece.empty(); piece = ReadPiece()) {
        if (IsTipLine(piece)) {
            return true;
        }
    }
    return false;
}

bool IsTipLine(std::wstring_view piece) {
    if (piece.empty()) {
        return false;
    }
    switch (piece.front()) {
    case kEndOfFileMark:
    case L' ':
    case L'\t':
    case L'\n':
    case L';':
        return false;
    default:
        return true;
    }
}

std::wstring TimeStampText(const std::tm& time) {
    static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* weekday = time.tm_wday >= 0 && time.tm_wday < 7 ? kWeekdays[time.tm_wday] : "???";
    const char* month = time.tm_mon >= 0 && time.tm_mon < 12 ? kMonths[time.tm_mon] : "???";
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d", weekday, month, time.tm_mday,
                                     time.tm_hour, time.tm_min, time.tm_sec, 1900 + time.tm_year);
    if (length <= 0) {
        return {};
    }
    return std::wstring(text, text + std::min<std::size_t>(static_cast<std::size_t>(length), sizeof text - 1));
}

} // namespace vk
