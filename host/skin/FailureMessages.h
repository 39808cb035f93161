// The message boxes of one program: one at a time, and a failure that the
// update tick meets again and again ("Ini Section Error", "Load XSL File
// Failed") shown once, not again until its cause has gone and come back.
// A box is modal: its event loop runs the very ticks that would otherwise
// stack the same box on it, one more every interval.
#pragma once

#include <set>
#include <string>

#include "MessageBox.h"

class CFailureMessages : public IMessageBox {
public:
    explicit CFailureMessages(IMessageBox& box) : box_(box) {}
    CFailureMessages(const CFailureMessages&) = delete;
    CFailureMessages& operator=(const CFailureMessages&) = delete;

    // A message of its own: shown unless another box is open now.
    void Show(const std::string& text) override { Open(text); }
    // A lasting failure: shown when it appears; while it holds, reporting it
    // again shows nothing. One that could not be shown (another box was
    // open) is shown at its next report.
    void Report(const std::string& text);
    // The cause of a lasting failure has gone.
    void Clear(const std::string& text) { holding_.erase(text); }
    // Report when failed, Clear otherwise.
    void Reflect(bool failed, const std::string& text) { failed ? Report(text) : Clear(text); }

    bool IsOpen() const { return open_; }

private:
    // False when another box is open (nothing is shown then).
    bool Open(const std::string& text);

    IMessageBox& box_;
    bool open_ = false;
    std::set<std::string> holding_;
};
