// Skinned buttons: every state transition, the image drawn in each state,
// click notes, and the clicks of command buttons.
#include <gtest/gtest.h>

#include "ButtonLook.h"
#include "ClickNote.h"
#include "FakeScriptPage.h"
#include "FakeSkinWindow.h"
#include "ScriptBridge.h"
#include "SkinCommandButton.h"
#include "skin_test_bitmaps.h"

namespace {

ImagePresence With(std::initializer_list<ImageSlot> slots) {
    ImagePresence p{};
    for (ImageSlot s : slots) p[static_cast<std::size_t>(s)] = true;
    return p;
}

ButtonDrawPlan Draws(std::optional<ImageSlot> image, std::optional<ImageSlot> overlay = std::nullopt,
                     bool fill = false) {
    ButtonDrawPlan plan;
    plan.image = image;
    plan.overlay = overlay;
    plan.fillFace = fill;
    return plan;
}

const ImagePresence kAllImages = With({ImageSlot::Normal, ImageSlot::Down, ImageSlot::Disabled,
                                       ImageSlot::Over, ImageSlot::Focus});

// A button whose click is counted, with its fake widget.
class CountingButton : public CSkinButton {
public:
    using CSkinButton::CSkinButton;
    int clicks = 0;

protected:
    void OnClicked() override { ++clicks; }
};

struct ButtonFixture : ::testing::Test {
    std::shared_ptr<CountingButton> Make(ButtonBehaviour behaviour) {
        auto b = std::make_shared<CountingButton>(behaviour, &window);
        b->AttachWidget(window.CreateButtonWidget(*b, 1));
        return b;
    }
    CFakeSkinWindow window;
};

using ButtonState = ButtonFixture;

}  // namespace

TEST(ButtonLook, ChoosesTheImageOfEachState) {
    struct Case {
        const char* what;
        ButtonLookInput in;
        ButtonDrawPlan expected;
    };
    auto in = [](ButtonBehaviour b, ImagePresence p) {
        ButtonLookInput i;
        i.behaviour = b;
        i.present = p;
        return i;
    };
    auto push = in(ButtonBehaviour::Push, kAllImages);
    auto check = in(ButtonBehaviour::Check, kAllImages);
    auto radio = in(ButtonBehaviour::Radio, kAllImages);
    auto hover = push; hover.hovering = true;
    auto focused = push; focused.focused = true;
    auto focusedCheck = check; focusedCheck.focused = true;
    auto hoverFocused = focused; hoverFocused.hovering = true;
    auto held = push; held.selected = true;
    auto checkedCheck = check; checkedCheck.checked = true;
    auto checkedRadio = radio; checkedRadio.checked = true;
    auto pushedCheckedRadio = checkedRadio; pushedCheckedRadio.selected = true;
    auto disabled = push; disabled.disabled = true; disabled.hovering = true;
    auto noOverImage = in(ButtonBehaviour::Push, With({ImageSlot::Normal})); noOverImage.hovering = true;
    auto noNormal = in(ButtonBehaviour::Push, With({ImageSlot::Over})); noNormal.hovering = true;
    auto noNormalRadio = in(ButtonBehaviour::Radio, With({ImageSlot::Over}));
    auto noDown = in(ButtonBehaviour::Push, With({ImageSlot::Normal})); noDown.selected = true;
    auto noDownRadio = in(ButtonBehaviour::Radio, With({ImageSlot::Normal})); noDownRadio.selected = true;
    auto radioNoFocus = in(ButtonBehaviour::Radio, With({ImageSlot::Normal, ImageSlot::Down}));
    radioNoFocus.checked = true;
    auto checkNoDown = in(ButtonBehaviour::Check, With({ImageSlot::Focus})); checkNoDown.checked = true;
    auto disabledNone = in(ButtonBehaviour::Push, {}); disabledNone.disabled = true;
    auto disabledRadioNone = in(ButtonBehaviour::Radio, {}); disabledRadioNone.disabled = true;

    const Case cases[] = {
        {"normal", push, Draws(ImageSlot::Normal)},
        {"hovering", hover, Draws(ImageSlot::Over)},
        {"focused push", focused, Draws(ImageSlot::Focus)},
        {"focused check shows normal", focusedCheck, Draws(ImageSlot::Normal)},
        {"hover beats focus", hoverFocused, Draws(ImageSlot::Over)},
        {"held down", held, Draws(ImageSlot::Down)},
        {"checked check: down + focus", checkedCheck, Draws(ImageSlot::Down, ImageSlot::Focus)},
        {"checked radio: focus", checkedRadio, Draws(ImageSlot::Focus)},
        {"checked radio being pushed: down", pushedCheckedRadio, Draws(ImageSlot::Down)},
        {"disabled", disabled, Draws(ImageSlot::Disabled)},
        {"hover without over image", noOverImage, Draws(ImageSlot::Normal)},
        {"no normal image: face", noNormal, Draws(std::nullopt, std::nullopt, true)},
        {"no normal image, radio: nothing", noNormalRadio, Draws(std::nullopt)},
        {"held without down image: face", noDown, Draws(std::nullopt, std::nullopt, true)},
        {"radio held without down image: nothing", noDownRadio, Draws(std::nullopt)},
        {"checked radio without focus image: nothing", radioNoFocus, Draws(std::nullopt)},
        {"checked check without down image", checkNoDown, Draws(std::nullopt, ImageSlot::Focus, true)},
        {"disabled without image: face", disabledNone, Draws(std::nullopt, std::nullopt, true)},
        {"disabled radio without image: nothing", disabledRadioNone, Draws(std::nullopt)},
    };
    for (const Case& c : cases) {
        ButtonDrawPlan plan = PlanButtonDrawing(c.in);
        ButtonDrawPlan expected = c.expected;
        expected.embossedCaption = c.in.disabled;
        EXPECT_EQ(plan, expected) << c.what;
    }
}

TEST(ButtonLook, DrawsEdgesAndFocusRectanglesOnlyWhenAsked) {
    ButtonLookInput in;
    in.present = kAllImages;
    in.border = true;
    EXPECT_EQ(PlanButtonDrawing(in).edge, ButtonEdge::Raised);
    in.selected = true;
    EXPECT_EQ(PlanButtonDrawing(in).edge, ButtonEdge::Sunken);
    in.focused = true;
    EXPECT_FALSE(PlanButtonDrawing(in).focusRect);
    in.focusMargin = 2;
    EXPECT_TRUE(PlanButtonDrawing(in).focusRect);
    in.disabled = true;
    EXPECT_FALSE(PlanButtonDrawing(in).focusRect);
    in.border = false;
    EXPECT_EQ(PlanButtonDrawing(in).edge, ButtonEdge::None);
}

TEST_F(ButtonState, PushButtonClicksWhenReleasedOverItselfOnly) {
    auto b = Make(ButtonBehaviour::Push);
    b->OnPointerMove(true);
    EXPECT_TRUE(b->Hovering());
    b->OnLeftDown();
    EXPECT_FALSE(b->Hovering()) << "pressing cancels the hover";
    EXPECT_TRUE(b->PressedLook());
    b->OnPointerMove(false);
    EXPECT_FALSE(b->PressedLook()) << "the pressed look follows the pointer";
    b->OnPointerMove(true);
    EXPECT_TRUE(b->PressedLook());
    b->OnLeftUp(true);
    EXPECT_FALSE(b->PressedByMouse());
    EXPECT_EQ(b->clicks, 0) << "the click is posted, not run inside the event";
    window.RunPosted();
    EXPECT_EQ(b->clicks, 1);
    EXPECT_FALSE(b->GetCheck());

    b->OnLeftDown();
    b->OnPointerMove(false);
    b->OnLeftUp(false);
    window.RunPosted();
    EXPECT_EQ(b->clicks, 1);
}

TEST_F(ButtonState, HoverEndsWhenThePointerLeaves) {
    auto b = Make(ButtonBehaviour::Push);
    auto* widget = window.widgets.back();
    b->OnPointerMove(true);
    const int repaints = widget->repaints;
    b->OnPointerMove(true);
    EXPECT_EQ(widget->repaints, repaints) << "no repaint while nothing changes";
    b->OnPointerLeave();
    EXPECT_FALSE(b->Hovering());
    EXPECT_GT(widget->repaints, repaints);
}

TEST_F(ButtonState, CheckButtonTogglesOnClickAndSpace) {
    auto b = Make(ButtonBehaviour::Check);
    b->OnLeftDown();
    b->OnLeftUp(true);
    EXPECT_TRUE(b->GetCheck());
    b->OnLeftDown();
    b->OnLeftUp(true);
    EXPECT_FALSE(b->GetCheck());
    b->OnLeftDown();
    b->OnLeftUp(false);
    EXPECT_FALSE(b->GetCheck()) << "released outside: unchanged";
    b->OnKeyDown(CSkinButton::kSpaceKey);
    EXPECT_TRUE(b->GetCheck());
    EXPECT_TRUE(b->PressedLook());
    b->OnKeyUp(CSkinButton::kSpaceKey);
    EXPECT_FALSE(b->PressedLook());
    b->OnKeyDown('A');
    EXPECT_TRUE(b->GetCheck()) << "other keys do nothing";
    window.RunPosted();
    EXPECT_EQ(b->clicks, 3) << "two mouse clicks inside and the Space release";
}

TEST_F(ButtonState, SpaceOnAPushButtonClicksButNeverChecks) {
    auto b = Make(ButtonBehaviour::Push);
    b->OnKeyDown(CSkinButton::kSpaceKey);
    b->OnKeyUp(CSkinButton::kSpaceKey);
    b->SetCheck(true);
    EXPECT_FALSE(b->GetCheck());
    window.RunPosted();
    EXPECT_EQ(b->clicks, 1);
}

TEST_F(ButtonState, RadioReleasedOutsideIsNeitherCheckedNorClicked) {
    auto b = Make(ButtonBehaviour::Radio);
    b->OnLeftDown();
    b->OnPointerMove(false);
    b->OnLeftUp(false);
    window.RunPosted();
    EXPECT_FALSE(b->GetCheck());
    EXPECT_EQ(b->clicks, 0);
    b->OnLeftDown();
    b->OnLeftUp(true);
    b->OnLeftDown();
    b->OnLeftUp(true);
    EXPECT_TRUE(b->GetCheck()) << "a second click leaves a radio checked";
}

TEST_F(ButtonState, LosingFocusDropsThePressAndTheClick) {
    auto b = Make(ButtonBehaviour::Check);
    b->OnLeftDown();
    b->OnFocusLost();
    EXPECT_FALSE(b->PressedByMouse());
    EXPECT_FALSE(b->PressedLook());
    b->OnPointerMove(true);
    EXPECT_TRUE(b->Hovering()) << "moves are hover again once the capture is gone";
    b->OnLeftUp(true);
    window.RunPosted();
    EXPECT_EQ(b->clicks, 0);
    EXPECT_TRUE(b->GetCheck()) << "the toggle follows the pointer, not the capture";
}

TEST_F(ButtonState, CheckingARadioUnchecksTheOthersOfItsGroupOnly) {
    auto group1 = std::make_shared<CButtonGroup>();
    auto group2 = std::make_shared<CButtonGroup>();
    std::vector<std::shared_ptr<CountingButton>> a, b;
    for (int i = 0; i < 3; ++i) {
        a.push_back(Make(ButtonBehaviour::Radio));
        a.back()->JoinGroup(group1);
        b.push_back(Make(ButtonBehaviour::Radio));
        b.back()->JoinGroup(group2);
    }
    a[0]->SetCheck(true);
    b[1]->SetCheck(true);
    window.RunPosted();
    a[2]->OnLeftDown();
    a[2]->OnLeftUp(true);
    EXPECT_TRUE(a[0]->GetCheck()) << "the uncheck is posted";
    window.RunPosted();
    EXPECT_FALSE(a[0]->GetCheck());
    EXPECT_FALSE(a[1]->GetCheck());
    EXPECT_TRUE(a[2]->GetCheck());
    EXPECT_TRUE(b[1]->GetCheck());
    a[1]->SetCheck(false);
    window.RunPosted();
    EXPECT_TRUE(a[2]->GetCheck()) << "unchecking sends nothing";
}

TEST_F(ButtonState, APostedUncheckForADestroyedButtonIsDropped) {
    auto group = std::make_shared<CButtonGroup>();
    auto first = Make(ButtonBehaviour::Radio);
    auto second = Make(ButtonBehaviour::Radio);
    first->JoinGroup(group);
    second->JoinGroup(group);
    first->SetCheck(true);
    second.reset();
    EXPECT_EQ(window.RunPosted(), 1);
    EXPECT_TRUE(first->GetCheck());
}

TEST_F(ButtonState, SetSkinReusesTheNormalImageWhenDisabledAndTakesTheMaskSize) {
    const auto folder = skintest::FreshFolder("velmar-button-skin");
    const std::string mask = (folder / "mask.bmp").string();
    skintest::WriteBmp(mask, skintest::FromRows({".##.", "####", ".##."}));
    window.loadableFiles = {"n.bmp", "d.bmp"};
    auto b = Make(ButtonBehaviour::Push);
    auto* widget = window.widgets.back();
    widget->Place(10, 20, 80, 40);
    b->SetSkin("n.bmp", "d.bmp", "", "", "", mask, 0, false, -4);
    EXPECT_EQ(widget->paths[static_cast<std::size_t>(ImageSlot::Disabled)], "n.bmp");
    EXPECT_TRUE(b->Present()[static_cast<std::size_t>(ImageSlot::Disabled)]);
    EXPECT_FALSE(b->Present()[static_cast<std::size_t>(ImageSlot::Over)]);
    EXPECT_EQ(b->FocusMargin(), 0);
    EXPECT_EQ(widget->width, 4);
    EXPECT_EQ(widget->height, 3);
    EXPECT_EQ(widget->x, 10) << "the position stays";
    ASSERT_TRUE(widget->shape);
    EXPECT_EQ(*widget->shape, (std::vector<SkinRect>{{1, 2, 3, 3}, {0, 1, 4, 2}, {1, 0, 3, 1}}));

    auto stretched = Make(ButtonBehaviour::Push);
    window.widgets.back()->Place(0, 0, 80, 40);
    stretched->SetSkin("n.bmp", "", "", "", "", mask, 1, false, 0);
    EXPECT_EQ(window.widgets.back()->width, 80) << "only a plain copy takes the mask's size";
    EXPECT_EQ(stretched->Mode(), DrawMode::Stretch);
    stretched->SetSkin("n.bmp", "", "", "", "", "", 9, false, 0);
    EXPECT_EQ(stretched->Mode(), DrawMode::Tile);
    std::filesystem::remove_all(folder);
}

TEST_F(ButtonState, AMaskInAFormatOnlyTheFacesReaderKnowsStillShapesTheButton) {
    auto b = Make(ButtonBehaviour::Push);
    auto* widget = window.widgets.back();
    widget->maskPixels = skintest::FromRows({"#.", "##"});
    b->SetSkin("n.png", "", "", "", "", "mask.png", 0, false, 0);
    ASSERT_TRUE(widget->shape);
    EXPECT_EQ(*widget->shape, (std::vector<SkinRect>{{0, 1, 2, 2}, {0, 0, 1, 1}}));
    EXPECT_EQ(widget->width, 2);
}

TEST(ClickNotes, OnlyLiveNotesAreAccepted) {
    const std::size_t before = LiveClickNoteCount();
    auto* note = new CClickNote("TOP");
    EXPECT_TRUE(IsLiveClickNote(note));
    EXPECT_EQ(LiveClickNoteCount(), before + 1);
    int notANote = 0;
    EXPECT_FALSE(IsLiveClickNote(&notANote));
    EXPECT_FALSE(IsLiveClickNote(nullptr));
    EXPECT_EQ(TakeLiveClickNote(&notANote), nullptr);
    void* parameter = note;
    {
        auto taken = TakeLiveClickNote(parameter);
        ASSERT_NE(taken, nullptr);
        EXPECT_EQ(taken->Id(), "TOP");
    }
    EXPECT_FALSE(IsLiveClickNote(parameter)) << "a destroyed note is dead";
    EXPECT_EQ(LiveClickNoteCount(), before);
}

TEST(CommandButton, ScriptButtonCallsItsFunctionThenNotifiesThenRefocuses) {
    CEventLog log;
    CFakeScriptPage page(&log);
    CFakeSkinWindow window(&log);
    CScriptBridge bridge;
    bridge.SetDocument(&page);
    page.Define("SetFocus");
    auto b = std::make_shared<CSkinCommandButton>("PLAY", SkinButtonKind::Script, &window, "NoSuchFunction",
                                                  ButtonBehaviour::Push);
    b->SetScriptBridge(&bridge);
    b->Click();
    ASSERT_EQ(page.calls.size(), 2u);
    EXPECT_EQ(page.calls[0].name, "NoSuchFunction");
    EXPECT_EQ(page.calls[1].name, "SetFocus");
    ASSERT_EQ(window.notes.size(), 1u) << "a CALL that names no function still notifies";
    auto note = TakeLiveClickNote(window.notes[0]);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Id(), "PLAY");

    auto normal = std::make_shared<CSkinCommandButton>("MIN", SkinButtonKind::Normal, &window, "Ignored",
                                                       ButtonBehaviour::Push);
    normal->Click();
    EXPECT_EQ(page.calls.size(), 2u) << "a normal button without a bridge calls nothing";
    normal->SetScriptBridge(&bridge);
    normal->Click();
    EXPECT_EQ(page.calls.back().name, "SetFocus");
    EXPECT_EQ(page.calls.size(), 3u);
    for (std::size_t i = 1; i < window.notes.size(); ++i) delete window.notes[i];
}
