#pragma once
// A file as it was before a piece of work saved a new one over it, kept aside as a second
// link to the same content (no copy, however large), so the work can be undone. The kept
// link is named like a save's temporary, so one left by a program that died is cleaned up
// with those.

#include <string>

namespace bp::output {

class KeptFile {
public:
    explicit KeptFile(std::string path);
    ~KeptFile();  // the kept link goes; the file stays as it is now
    KeptFile(const KeptFile&) = delete;
    KeptFile& operator=(const KeptFile&) = delete;

    // The file as it was: the kept content, or no file when there was none.
    void putBack();

private:
    std::string path_;
    std::string kept_;  // empty when nothing is kept
    bool existed_ = false;
};

}  // namespace bp::output
