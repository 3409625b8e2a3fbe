#pragma once
#include <QByteArray>
#include <string>
#include <vector>

struct VrkProblem {
    enum Severity { Warning, Error };
    Severity severity;
    std::string message;
};

// Walks a file's bytes record by record and reports everything it finds, not
// only the first fault the reader stops at. Errors are exactly the faults the
// editor's reader refuses (with the reader's wording, the first one being the
// reader's own verdict); warnings are readable but doubtful content.
std::vector<VrkProblem> ScanVrk(const QByteArray& bytes);
