#include "progress_printer.h"

#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace qrv::cli {

namespace {
constexpr int kBarWidth = 40;
}

CProgressPrinter::CProgressPrinter(const char* what) : m_what(what), m_terminal(isatty(fileno(stderr)) != 0)
{
}

CProgressPrinter::~CProgressPrinter()
{
    if (m_terminal && m_last >= 0)
        std::fputc('\n', stderr);
}

void CProgressPrinter::Show(int percent)
{
    if (percent == m_last)
        return;
    m_last = percent;
    if (!m_terminal) {
        std::fprintf(stderr, "%s %d%%\n", m_what, percent);
        return;
    }
    const int filled = percent * kBarWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    std::fprintf(stderr, "\r%s [%s] %3d%%", m_what, bar.c_str(), percent);
    std::fflush(stderr);
}

} // namespace qrv::cli
