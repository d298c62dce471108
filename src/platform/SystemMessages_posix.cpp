#include "platform/SystemMessages.h"

#include "platform/NetworkServices.h"

#include <string_view>

namespace vk {
namespace {

struct Message {
    ErrorCode code;
    std::wstring_view text;
};

// Windows' English wording for the errors the platform layer and the folder network give.
constexpr Message kMessages[] = {
    {kErrorSuccess, L"The operation completed successfully."},
    {kErrorFileNotFound, L"The system cannot find the file specified."},
    {kErrorPathNotFound, L"The system cannot find the path specified."},
    {kErrorAccessDenied, L"Access is denied."},
    {kErrorNotEnoughMemory, L"Not enough memory resources are available to process this command."},
    {kErrorSharingViolation, L"The process cannot access the file because it is being used by another process."},
    {kErrorNotSupported, L"The request is not supported."},
    {kErrorBadNetPath, L"The network path was not found."},
    {kErrorUnexpectedNetwork, L"An unexpected network error occurred."},
    {kErrorBadNetName, L"The network name cannot be found."},
    {kErrorInvalidParameter, L"The parameter is incorrect."},
    {kErrorInvalidName, L"The filename, directory name, or volume label syntax is incorrect."},
    {kErrorFilenameTooLong, L"The filename or extension is too long."},
    {kErrorMoreData, L"More data is available."},
    {kErrorNoMoreItems, L"No more data is available."},
    {kErrorDirectory, L"The directory name is invalid."},
    {kErrorNotContainer, L"Cannot enumerate a noncontainer."},
    {kErrorNoNetwork, L"The network is not present or not started."},
    {kErrorNoBrowserServersFound, L"The list of servers for this workgroup is not currently available."},
};

} // namespace

std::wstring SystemErrorText(ErrorCode code) {
    for (const auto& message : kMessages) {
        if (message.code == code) {
            return std::wstring(message.text);
        }
    }
    return L"Error " + std::to_wstring(code) + L".";
}

} // namespace vk
