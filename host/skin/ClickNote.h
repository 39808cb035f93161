// The payload of a skin button's click ("NORMAL_SKIN_CLICK"): a heap note
// holding the button's ID, owned and destroyed by the receiver. Receivers get
// it as an untyped message parameter, so every live note is listed and a
// receiver accepts a parameter only when it is listed; a note already
// destroyed, or any other pointer, is refused without being dereferenced.
#pragma once

#include <memory>
#include <string>

inline constexpr const char* kSkinClickMessage = "NORMAL_SKIN_CLICK";

class CClickNote {
public:
    explicit CClickNote(std::string id);
    ~CClickNote();
    CClickNote(const CClickNote&) = delete;
    CClickNote& operator=(const CClickNote&) = delete;

    const std::string& Id() const { return id_; }

private:
    std::string id_;
};

// True when the parameter is a click note that currently exists.
bool IsLiveClickNote(const void* parameter);
// Ownership of a live note, or nothing for anything else.
std::unique_ptr<CClickNote> TakeLiveClickNote(void* parameter);
// Number of live notes (notes posted but not yet handled).
std::size_t LiveClickNoteCount();
