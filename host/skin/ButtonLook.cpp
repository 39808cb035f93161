#include "ButtonLook.h"

namespace {

enum class Look { Disabled, Pressed, RadioChecked, Normal };
enum class When { Always, Hovering, FocusedNotCheck, CheckedCheck, Never };

struct Candidate {
    ImageSlot slot;
    When when;
};

// Each look draws the first present candidate, provided its gate image is
// present; without the gate image it fills with the button face (radio
// buttons never fill, so what lies beneath shows through).
struct LookRule {
    Look look;
    ImageSlot gate;
    std::array<Candidate, 3> candidates;
    Candidate overlay;
    bool sunken;
    bool embossedCaption;
    bool mayFocusRect;
};

constexpr Candidate kNone{ImageSlot::Normal, When::Never};

constexpr std::array<LookRule, 4> kLookRules{{
    {Look::Disabled, ImageSlot::Disabled, {{{ImageSlot::Disabled, When::Always}, kNone, kNone}},
     kNone, false, true, false},
    {Look::Pressed, ImageSlot::Down, {{{ImageSlot::Down, When::Always}, kNone, kNone}},
     {ImageSlot::Focus, When::CheckedCheck}, true, false, true},
    {Look::RadioChecked, ImageSlot::Focus, {{{ImageSlot::Focus, When::Always}, kNone, kNone}},
     kNone, true, false, true},
    {Look::Normal, ImageSlot::Normal,
     {{{ImageSlot::Over, When::Hovering},
       {ImageSlot::Focus, When::FocusedNotCheck},
       {ImageSlot::Normal, When::Always}}},
     kNone, false, false, true},
}};

Look LookOf(const ButtonLookInput& in) {
    if (in.disabled) return Look::Disabled;
    if (in.behaviour == ButtonBehaviour::Radio && in.checked && !in.selected) return Look::RadioChecked;
    if (in.selected || in.checked) return Look::Pressed;
    return Look::Normal;
}

bool Holds(When when, const ButtonLookInput& in) {
    switch (when) {
        case When::Always: return true;
        case When::Hovering: return in.hovering;
        case When::FocusedNotCheck: return in.focused && in.behaviour != ButtonBehaviour::Check;
        case When::CheckedCheck: return in.checked && in.behaviour == ButtonBehaviour::Check;
        case When::Never: return false;
    }
    return false;
}

bool Present(const ButtonLookInput& in, ImageSlot slot) {
    return in.present[static_cast<std::size_t>(slot)];
}

}  // namespace

ButtonDrawPlan PlanButtonDrawing(const ButtonLookInput& in) {
    const Look look = LookOf(in);
    const LookRule* rule = &kLookRules[0];
    for (const auto& r : kLookRules)
        if (r.look == look) rule = &r;

    ButtonDrawPlan plan;
    if (Present(in, rule->gate)) {
        for (const auto& c : rule->candidates) {
            if (Holds(c.when, in) && Present(in, c.slot)) {
                plan.image = c.slot;
                break;
            }
        }
    } else {
        plan.fillFace = in.behaviour != ButtonBehaviour::Radio;
    }
    if (Holds(rule->overlay.when, in) && Present(in, rule->overlay.slot)) plan.overlay = rule->overlay.slot;
    if (in.border) plan.edge = rule->sunken ? ButtonEdge::Sunken : ButtonEdge::Raised;
    plan.embossedCaption = rule->embossedCaption;
    plan.focusRect = rule->mayFocusRect && in.focused && in.focusMargin > 0;
    return plan;
}
