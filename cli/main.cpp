#include "report_tool.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include "utf8_path.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <filesystem>

// Wide arguments (linked with -municode): the narrow ones would arrive in
// the ANSI code page, which cannot hold every file name.
int wmain(int argc, wchar_t** argv)
{
    // Reports and raw EDIDs are bytes: no CR added before each LF on the way
    // out, no CR LF folded or ^Z taken for the end on the way in.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(tessarin::Utf8Name(std::filesystem::path(argv[i])));
    return tessarin::RunReportTool(args, std::cin, std::cout, std::cerr);
}
#else
int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tessarin::RunReportTool(args, std::cin, std::cout, std::cerr);
}
#endif
