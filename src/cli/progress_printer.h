#pragma once
// Transfer progress on stderr: a bar on a terminal, one percent value per
// line otherwise (for logs and scripts).
namespace qrv::cli {

class CProgressPrinter {
public:
    explicit CProgressPrinter(const char* what);
    ~CProgressPrinter();
    CProgressPrinter(const CProgressPrinter&) = delete;
    CProgressPrinter& operator=(const CProgressPrinter&) = delete;
    void Show(int percent);

private:
    const char* m_what;
    bool m_terminal = false;
    int m_last = -1;
};

} // namespace qrv::cli
