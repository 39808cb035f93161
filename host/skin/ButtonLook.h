// Which image a skinned button draws in each state. Pure: the widget asks
// for a plan and draws it.
#pragma once

#include <array>
#include <optional>

enum class ButtonBehaviour { Push = 0, Check = 2, Radio = 4 };

// The six images of a button, in the order the skin gives them.
enum class ImageSlot { Normal = 0, Down, Disabled, Mask, Over, Focus };
inline constexpr std::size_t kImageSlotCount = 6;
using ImagePresence = std::array<bool, kImageSlotCount>;

enum class ButtonEdge { None, Raised, Sunken };

struct ButtonLookInput {
    ButtonBehaviour behaviour = ButtonBehaviour::Push;
    bool checked = false;
    bool selected = false;  // held down (pressed look)
    bool disabled = false;
    bool focused = false;
    bool hovering = false;
    bool border = false;
    int focusMargin = 0;
    ImagePresence present{};
};

struct ButtonDrawPlan {
    bool fillFace = false;             // no image: the button-face colour
    std::optional<ImageSlot> image;    // drawn first
    std::optional<ImageSlot> overlay;  // drawn over it
    ButtonEdge edge = ButtonEdge::None;
    bool focusRect = false;
    bool embossedCaption = false;
    friend bool operator==(const ButtonDrawPlan&, const ButtonDrawPlan&) = default;
};

ButtonDrawPlan PlanButtonDrawing(const ButtonLookInput& input);
