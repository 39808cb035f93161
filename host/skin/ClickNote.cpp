#include "ClickNote.h"

#include <algorithm>
#include <vector>

namespace {

// Notes never posted (the owner went away first) are destroyed when the
// registry is, at the end of the process.
class CLiveNoteRegistry {
public:
    ~CLiveNoteRegistry() {
        clearing_ = true;
        for (CClickNote* note : notes_) delete note;
        notes_.clear();
        clearing_ = false;
    }
    void Add(CClickNote* note) {
        if (std::find(notes_.begin(), notes_.end(), note) == notes_.end()) notes_.push_back(note);
    }
    void Remove(CClickNote* note) {
        if (clearing_) return;
        notes_.erase(std::remove(notes_.begin(), notes_.end(), note), notes_.end());
    }
    bool Contains(const void* p) const {
        return std::find(notes_.begin(), notes_.end(), p) != notes_.end();
    }
    std::size_t Count() const { return notes_.size(); }

private:
    std::vector<CClickNote*> notes_;
    bool clearing_ = false;
};

CLiveNoteRegistry& Registry() {
    static CLiveNoteRegistry registry;
    return registry;
}

}  // namespace

CClickNote::CClickNote(std::string id) : id_(std::move(id)) { Registry().Add(this); }
CClickNote::~CClickNote() { Registry().Remove(this); }

bool IsLiveClickNote(const void* parameter) {
    return parameter != nullptr && Registry().Contains(parameter);
}

std::unique_ptr<CClickNote> TakeLiveClickNote(void* parameter) {
    if (!IsLiveClickNote(parameter)) return nullptr;
    return std::unique_ptr<CClickNote>(static_cast<CClickNote*>(parameter));
}

std::size_t LiveClickNoteCount() { return Registry().Count(); }
