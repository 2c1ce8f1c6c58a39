#pragma once
// The design as undo sees it: every field a user can change through the windows and the
// toolbar, as values that can be compared and put back. Picture names are left out (they follow
// the pictures in their slots, which undo does not load or unload), and so is the picked colour,
// which is a tool's state rather than the design's.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dw::run {
class DesignerSession;
}

namespace dw::shell {

using FieldValue = std::variant<std::string, std::int16_t, bool>;

// One field that changed: its place among the tracked fields and its two values.
struct FieldChange {
    std::size_t field = 0;
    FieldValue before;
    FieldValue after;
};

using FieldChanges = std::vector<FieldChange>;

class DesignSnapshot {
public:
    // The tracked fields of the session now. Never fails.
    static DesignSnapshot take(run::DesignerSession& session);

    // The fields whose values differ in `later`, in field order.
    FieldChanges changesTo(const DesignSnapshot& later) const;

    // Takes the after values of the changes, so that a later diff does not see them again.
    void absorb(const FieldChanges& changes);

    // The name of a tracked field (its INI key or record field name), for messages and tests.
    static std::string_view fieldName(std::size_t field);

private:
    std::vector<FieldValue> mValues;
};

// Writes the before (undo) or after (redo) values of the changes into the session.
void applyChanges(run::DesignerSession& session, const FieldChanges& changes, bool useAfter);

// True when a change touches the confirmed centre, after which the hand tables must follow.
bool touchesCentre(const FieldChanges& changes);

} // namespace dw::shell
