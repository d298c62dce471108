// vkfind: the search engine on the command line.

#include "platform/Utf8.h"
#include "vkfind/Vkfind.h"

#include <cstdlib>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

int wmain(int argc, wchar_t** argv) {
    // UTF-8 bytes as they are: no conversion of line ends or characters on the way out.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    const wchar_t* network = _wgetenv(L"VARNOKLE_NETWORK");
    try {
        return vk::RunVkfind(args, network ? network : L"", std::cout, std::cerr);
    } catch (...) {
        std::cerr << "vkfind: out of memory\n";
        return 1;
    }
}
#else
#include <csignal>

int main(int argc, char** argv) {
    // A reader that goes away makes writing fail, which is reported; no silent death by signal.
    std::signal(SIGPIPE, SIG_IGN);
    // Arguments are taken as file names are: bytes that are not UTF-8 stand for themselves.
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(vk::WideFromFileName(argv[i]));
    }
    const char* network = std::getenv("VARNOKLE_NETWORK");
    try {
        return vk::RunVkfind(args, network ? vk::WideFromFileName(network) : L"", std::cout, std::cerr);
    } catch (...) {
        std::cerr << "vkfind: out of memory\n";
        return 1;
    }
}
#endif
